#include "core/Date.h"
#include "core/Time.h"
#include "csv/CsvByteLine.h"
#include "csv/CsvFieldReader.h"
#include "csv/CsvLine.h"
#include "csv/CsvText.h"

#include "tests/store/StoreTestBase.h" // readable texts in failures

#include <gtest/gtest.h>

#include <vector>

using namespace velatask;

namespace {

struct Read {
    QString text;
    bool quoted;
    bool operator==(const Read&) const = default;
};

std::vector<Read> split(QStringView line) {
    std::vector<Read> out;
    CsvFieldReader reader(line);
    CsvField f;
    while (reader.next(f)) {
        out.push_back({f.text, f.quoted});
    }
    EXPECT_TRUE(f.text.isEmpty());
    return out;
}

void PrintTo(const Read& r, std::ostream* os) {
    *os << (r.quoted ? "\"" : "") << r.text.toStdString() << (r.quoted ? "\"" : "");
}

} // namespace

TEST(CsvFieldReader, SplitsLines) {
    const struct {
        const char* line;
        std::vector<Read> fields;
    } cases[] = {
        {"1,22,-3", {{"1", false}, {"22", false}, {"-3", false}}},
        {R"("a ""q"" b",7)", {{R"(a "q" b)", true}, {"7", false}}},
        {R"("""",x)", {{R"(")", true}, {"x", false}}},
        {R"("",5)", {{"", true}, {"5", false}}},
        {"a,,b", {{"a", false}, {"", false}, {"b", false}}},
        // A missing closing quote takes the rest of the line, commas included.
        {R"(x,"abc,def, ghi)", {{"x", false}, {"abc,def, ghi", true}}},
        // A blank rest of the line ends the fields, a trailing comma included.
        {"a,b,", {{"a", false}, {"b", false}}},
        {"a,b,   ", {{"a", false}, {"b", false}}},
        {"   ", {}},
        {"", {}},
        // Blanks before a quote make a plain field; text after a closing quote is dropped.
        {R"( "a",b)", {{R"( "a")", false}, {"b", false}}},
        {R"("a" x,b)", {{"a", true}, {"b", false}}},
        {"\"line\none\",2", {{"line\none", true}, {"2", false}}},
        // Quotes at the very end of the line, alone or doubled, never read past it.
        {R"(")", {{"", true}}},
        {R"(a,")", {{"a", false}, {"", true}}},
        {R"("a"")", {{R"(a")", true}}},
        {R"("a"",b)", {{R"(a",b)", true}}},
        {R"("a"   ,b)", {{"a", true}, {"b", false}}},
        {",,", {{"", false}, {"", false}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(split(QString::fromUtf8(c.line)), c.fields) << c.line;
    }
}

TEST(CsvFieldReader, CutsLongLinesAndFieldsWithoutReadingPastThem) {
    const QString huge(1000000, QLatin1Char('x'));
    for (const QString& line : {huge, QLatin1Char('"') + huge, QStringLiteral("1,") + huge}) {
        int fields = 0;
        int chars = 0;
        CsvFieldReader reader(line);
        CsvField f;
        while (reader.next(f)) {
            EXPECT_LE(f.text.size(), CsvText::kMaxField);
            chars += int(f.text.size());
            ++fields;
        }
        EXPECT_GE(fields, 1);
        EXPECT_LE(chars, CsvText::kMaxLine);
    }
    // The line limit cuts before the field reader sees the rest: no field past 16000 characters.
    const QString late = QString(CsvText::kMaxLine - 1, QLatin1Char(',')) + QStringLiteral("late");
    EXPECT_EQ(split(late).back().text, QStringLiteral("l"));
}

TEST(CsvLine, WritesByPictureClassAndReadsBack) {
    CsvLine line;
    const QString values[] = {QStringLiteral("plain"), QStringLiteral(R"(say "hi", twice "")"),
                              QStringLiteral("  lead and trail   "), QStringLiteral("multi\nline"),
                              QString()};
    for (const QString& v : values) {
        line.append(v, CsvText::PictureClass::String);
    }
    line.appendNumber(1);
    line.appendNumber(-42);
    line.appendNumber(std::numeric_limits<std::int64_t>::min());
    line.append(QStringLiteral("5/01/1999"), CsvText::PictureClass::Other);
    EXPECT_TRUE(line.text().startsWith(QStringLiteral(R"("plain","say ""hi"", twice """"",)")));
    EXPECT_TRUE(
        line.text().endsWith(QStringLiteral(R"(,"",1,-42,-9223372036854775808,"5/01/1999")")));

    const std::vector<Read> back = split(line.text());
    ASSERT_EQ(back.size(), 9u);
    EXPECT_EQ(back[1], (Read{values[1], true}));
    EXPECT_EQ(back[2], (Read{QStringLiteral("  lead and trail"), true})); // trailing blanks go
    EXPECT_EQ(back[3], (Read{values[3], true}));
    EXPECT_EQ(back[5], (Read{QStringLiteral("1"), false}));
    EXPECT_EQ(back[8], (Read{QStringLiteral("5/01/1999"), true}));
}

TEST(CsvLine, StaysWithinTheLimits) {
    CsvLine line;
    const QString quotes(CsvText::kMaxField + 100, QLatin1Char('"'));
    for (int i = 0; i < 3; ++i) {
        line.append(quotes, CsvText::PictureClass::String);
    }
    EXPECT_EQ(line.text().size(), CsvText::kMaxLine);
    CsvFieldReader reader(line.text());
    CsvField f;
    ASSERT_TRUE(reader.next(f));
    EXPECT_EQ(f.text.size(), CsvText::kMaxField); // the value was cut before quoting
}

// A date written into the line is quoted like any other formatted value, and cut at the line
// limit like it.
TEST(CsvLine, FormattedDatesAndTimesAreWrittenLikeTheirText) {
    const Picture date(u"@d3");
    const std::int32_t day = Date::fromYmd(1999, 1, 5);
    for (const int room : {CsvText::kMaxLine, 100, 8, 3, 1, 0}) {
        const QString filler(qMax(0, CsvText::kMaxLine - room - 2), QLatin1Char('x'));
        CsvLine direct;
        CsvLine viaText;
        for (CsvLine* line : {&direct, &viaText}) {
            if (room < CsvText::kMaxLine) {
                line->append(filler, CsvText::PictureClass::Numeric);
            }
        }
        direct.appendFormatted(date, day);
        viaText.append(date.format(day), CsvText::PictureClass::Other);
        EXPECT_EQ(direct.text(), viaText.text()) << room;
        EXPECT_EQ(direct.fieldCount(), viaText.fieldCount());
        EXPECT_LE(direct.text().size(), CsvText::kMaxLine);
    }
    CsvLine line;
    line.appendFormatted(Picture(u"@t3"), Time::fromHms(0, 5));
    line.appendFormatted(date, 0);
    EXPECT_EQ(line.text(), QStringLiteral(R"("12:05AM","")"));
}

// The line built from UTF-8 gives the bytes of the line built from characters, or says that it
// cannot because a limit of characters might cut it.
TEST(CsvByteLine, GivesTheBytesOfTheCharacterLineOrSaysItCannot) {
    using C = CsvText::PictureClass;
    const QString atFieldLimit(CsvText::kMaxField, QLatin1Char('q'));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    const struct {
        QString text;
        bool fits;
    } texts[] = {
        {QStringLiteral(R"(say "hi", then "" and ")"), true},
        {QStringLiteral("a,b,,c"), true},
        {QStringLiteral("tab\tbell\acr\rlf\nesc\x1b del\x7f"), true},
        {QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC ") + emoji + QStringLiteral(" \"") + emoji, true},
        {QStringLiteral("   trailing   "), true},
        {QStringLiteral("    "), true},
        {QString(), true},
        {atFieldLimit, true},
        // As many characters, more bytes: the character line would cut.
        {atFieldLimit.left(CsvText::kMaxField - 1) + QString::fromUtf8("\xC3\xA9"), false},
        {atFieldLimit + QLatin1Char('x'), false},
    };
    const Picture date(u"@d6");
    for (const C how : {C::String, C::Numeric, C::Other}) {
        for (const auto& t : texts) {
            CsvLine chars;
            CsvByteLine bytes;
            chars.appendNumber(-17);
            bytes.appendNumber(-17);
            chars.append(t.text, how);
            bytes.append(t.text.toUtf8(), how);
            chars.appendFormatted(date, Date::fromYmd(2024, 2, 29));
            bytes.appendFormatted(date, Date::fromYmd(2024, 2, 29));
            EXPECT_EQ(bytes.overLimit(), !t.fits) << t.text.left(40).toStdString();
            EXPECT_EQ(bytes.fieldCount(), chars.fieldCount());
            if (t.fits) {
                EXPECT_EQ(bytes.bytes().toByteArray(), chars.text().toUtf8()) << int(how);
            }
        }
    }
    // Four fields at the field limit make a line longer than the line limit.
    CsvByteLine line;
    for (int i = 0; i < 4; ++i) {
        line.append(atFieldLimit.toUtf8(), C::String);
    }
    EXPECT_TRUE(line.overLimit());
    line.clear();
    EXPECT_FALSE(line.overLimit());
    EXPECT_TRUE(line.bytes().isEmpty());
}

TEST(CsvText, HeaderNamesAndNumbers) {
    EXPECT_EQ(CsvText::headerName(QStringLiteral("SCH:Date")), QStringLiteral("SCH:Date"));
    EXPECT_EQ(CsvText::headerName(QStringLiteral("A:B[1,2]")), QStringLiteral("A:B_1_2 "));
    EXPECT_EQ(CsvText::headerName(QStringLiteral("A,B")), QStringLiteral("A,B"));

    const struct {
        const char* text;
        std::int64_t value;
    } numbers[] = {{"1", 1},         {" 42 ", 42},
                   {"-7", -7},       {"3.9", 3},
                   {"", 0},          {"abc", 0},
                   {"5/01/1999", 0}, {"1e3", 1000},
                   {"nan", 0},       {"1e300", std::numeric_limits<std::int64_t>::max()}};
    for (const auto& n : numbers) {
        EXPECT_EQ(CsvText::numericValue(QString::fromLatin1(n.text)), n.value) << n.text;
    }
}
