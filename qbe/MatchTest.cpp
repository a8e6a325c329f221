#include "qbe/MatchTest.h"

#include "core/Date.h"
#include "store/TextFold.h"

#include <limits>

namespace velatask::MatchTest {

namespace {

// Code point order, as the store orders text (byte order of UTF-8).
int compareText(const QString& a, const QString& b) {
    const QList<uint> x = a.toUcs4();
    const QList<uint> y = b.toUcs4();
    return x < y ? -1 : (y < x ? 1 : 0);
}

bool textMatches(const Criterion& c, const QVariant& value) {
    const QString plain = folded(value, false);
    const QString trimmed = folded(value, true);
    const QString example = folded(c.value, false);
    const QString exampleTrimmed = folded(c.value, true);
    switch (c.type) {
    case MatchType::Equals:
        return trimmed == exampleTrimmed;
    case MatchType::NotEquals:
        return trimmed != exampleTrimmed;
    case MatchType::MoreThan:
        return compareText(plain, example) > 0;
    case MatchType::LessThan:
        return compareText(plain, example) < 0;
    case MatchType::MoreOrEqual:
        return compareText(plain, example) >= 0;
    case MatchType::LessOrEqual:
        return compareText(plain, example) <= 0;
    case MatchType::InsideRange:
    case MatchType::OutsideRange: {
        const bool inside = compareText(trimmed, exampleTrimmed) >= 0 &&
                            compareText(trimmed, folded(c.upper, true)) <= 0;
        return inside == (c.type == MatchType::InsideRange);
    }
    case MatchType::BeginsWith:
        return trimmed.startsWith(exampleTrimmed);
    case MatchType::EndsWith:
        return plain.endsWith(example);
    case MatchType::Contains:
        return plain.contains(example);
    case MatchType::NotContains:
        return !plain.contains(example);
    default:
        return true;
    }
}

// The year, month and day of a date; none for 0 (no date).
bool calendar(qint64 date, Ymd& out) {
    if (date == 0 || date < std::numeric_limits<std::int32_t>::min() ||
        date > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    out = Date::toYmd(std::int32_t(date));
    return true;
}

bool calendarMatches(MatchType type, qint64 value, qint64 example) {
    Ymd v;
    Ymd e;
    if (!calendar(value, v) || !calendar(example, e)) {
        return false;
    }
    switch (type) {
    case MatchType::MonthOfYear:
        return v.month == e.month;
    case MatchType::DayOfMonth:
        return v.day == e.day;
    case MatchType::InYear:
        return v.year == e.year;
    case MatchType::MonthAndDay:
        return v.month == e.month && v.day == e.day;
    default:
        return v.year == e.year && v.month == e.month;
    }
}

bool numberMatches(const Criterion& c, const QVariant& field) {
    const qint64 value = field.toLongLong();
    const qint64 example = c.value.toLongLong();
    switch (c.type) {
    case MatchType::Equals:
        return value == example;
    case MatchType::NotEquals:
        return value != example;
    case MatchType::MoreThan:
        return value > example;
    case MatchType::LessThan:
        return value < example;
    case MatchType::MoreOrEqual:
        return value >= example;
    case MatchType::LessOrEqual:
        return value <= example;
    case MatchType::InsideRange:
        return value >= example && value <= c.upper.toLongLong();
    case MatchType::OutsideRange:
        return value < example || value > c.upper.toLongLong();
    // A picture field's digits: the number as written, sign included.
    case MatchType::BeginsWith:
        return QString::number(value).startsWith(QString::number(example));
    case MatchType::EndsWith:
        return QString::number(value).endsWith(QString::number(example));
    case MatchType::MonthOfYear:
    case MatchType::DayOfMonth:
    case MatchType::InYear:
    case MatchType::MonthAndDay:
    case MatchType::YearAndMonth:
        return calendarMatches(c.type, value, example);
    default:
        return true;
    }
}

} // namespace

QString folded(const QVariant& text, bool withoutLeadingBlanks) {
    // The store's own fold, so that a test in memory and the store's filter agree.
    return TextFold::apply(text.toString(),
                           TextFold::Capitals |
                               (withoutLeadingBlanks ? TextFold::NoLeadingBlanks : 0));
}

bool matches(const Criterion& criterion, const QVariant& value) {
    if (!criterion.takesPart()) {
        return true;
    }
    return FieldKinds::isText(criterion.kind) ? textMatches(criterion, value)
                                              : numberMatches(criterion, value);
}

} // namespace velatask::MatchTest
