#include "qbe/MatchType.h"

#include <array>

namespace velatask::MatchTypes {

namespace {

struct Entry {
    const char* text;
    const char16_t* code;
};

constexpr std::array<Entry, kCount> kEntries{{
    {"&Ignore this field", u""},
    {"&Equals this", u"="},
    {"&Does not equal this", u"\u2260"},
    {"&More than this", u">"},
    {"&Less than this", u"<"},
    {"More &than or equal to this", u"\u2265"},
    {"Less t&han or equal to this", u"\u2264"},
    {"Inside &range starting with this", u"\u2194"},
    {"&Outside range starting with this", u"\u25CA"},
    {"&Begins with this", u"\u2192"},
    {"E&nds with this", u"\u2190"},
    {"&Contains this", u"\u2227"},
    {"Doe&s not contain this", u"\u2228"},
    {"I&n this month of each year", u"m"},
    {"On this d&ay of each month", u"d"},
    {"In this &year", u"y"},
    {"On thi&s month + day", u"M"},
    {"I&n this year + month", u"Y"},
}};

const Entry& entry(MatchType type) {
    const int i = int(type);
    return kEntries[i >= 0 && i < kCount ? size_t(i) : 0];
}

} // namespace

QString dialogText(MatchType type) {
    return QString::fromLatin1(entry(type).text);
}

QString code(MatchType type) {
    return QString::fromUtf16(entry(type).code);
}

bool isRange(MatchType type) {
    return type == MatchType::InsideRange || type == MatchType::OutsideRange;
}

} // namespace velatask::MatchTypes
