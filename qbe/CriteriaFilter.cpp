#include "qbe/CriteriaFilter.h"

#include "core/Date.h"

namespace velatask::CriteriaFilter {

namespace {

using Fold = Filter::Fold;
using Op = Filter::Op;

Filter textFilter(const Criterion& c) {
    const QString& f = c.field;
    const QString value = c.value.toString();
    switch (c.type) {
    case MatchType::Equals:
        return Filter::compare(f, Op::Equal, value, Fold::CapitalsNoLeadingBlanks);
    case MatchType::NotEquals:
        return !Filter::compare(f, Op::Equal, value, Fold::CapitalsNoLeadingBlanks);
    case MatchType::MoreThan:
        return Filter::compare(f, Op::Greater, value, Fold::Capitals);
    case MatchType::LessThan:
        return Filter::compare(f, Op::Less, value, Fold::Capitals);
    case MatchType::MoreOrEqual:
        return Filter::compare(f, Op::GreaterOrEqual, value, Fold::Capitals);
    case MatchType::LessOrEqual:
        return Filter::compare(f, Op::LessOrEqual, value, Fold::Capitals);
    case MatchType::InsideRange:
        return Filter::between(f, value, c.upper.toString(), Fold::CapitalsNoLeadingBlanks);
    case MatchType::OutsideRange:
        return !Filter::between(f, value, c.upper.toString(), Fold::CapitalsNoLeadingBlanks);
    case MatchType::BeginsWith:
        return Filter::text(f, Filter::Text::BeginsWith, value, Fold::CapitalsNoLeadingBlanks);
    case MatchType::EndsWith:
        return Filter::text(f, Filter::Text::EndsWith, value, Fold::Capitals);
    case MatchType::Contains:
        return Filter::text(f, Filter::Text::Contains, value, Fold::Capitals);
    case MatchType::NotContains:
        return !Filter::text(f, Filter::Text::Contains, value, Fold::Capitals);
    default:
        return Filter();
    }
}

Filter datePart(const QString& field, Filter::DatePart part, const Ymd& ymd) {
    return Filter::datePart(field, part,
                            part == Filter::DatePart::Year    ? ymd.year
                            : part == Filter::DatePart::Month ? ymd.month
                                                              : ymd.day);
}

Filter numberFilter(const Criterion& c) {
    const QString& f = c.field;
    const qlonglong value = c.value.toLongLong();
    const Ymd ymd = Date::toYmd(std::int32_t(value));
    using Part = Filter::DatePart;
    switch (c.type) {
    case MatchType::Equals:
        return Filter::compare(f, Op::Equal, value);
    case MatchType::NotEquals:
        return Filter::compare(f, Op::NotEqual, value);
    case MatchType::MoreThan:
        return Filter::compare(f, Op::Greater, value);
    case MatchType::LessThan:
        return Filter::compare(f, Op::Less, value);
    case MatchType::MoreOrEqual:
        return Filter::compare(f, Op::GreaterOrEqual, value);
    case MatchType::LessOrEqual:
        return Filter::compare(f, Op::LessOrEqual, value);
    case MatchType::InsideRange:
        return Filter::between(f, value, c.upper.toLongLong());
    case MatchType::OutsideRange:
        return !Filter::between(f, value, c.upper.toLongLong());
    case MatchType::BeginsWith:
        return Filter::text(f, Filter::Text::BeginsWith, QString::number(value), Fold::None);
    case MatchType::EndsWith:
        return Filter::text(f, Filter::Text::EndsWith, QString::number(value), Fold::None);
    case MatchType::MonthOfYear:
        return datePart(f, Part::Month, ymd);
    case MatchType::DayOfMonth:
        return datePart(f, Part::Day, ymd);
    case MatchType::InYear:
        return datePart(f, Part::Year, ymd);
    case MatchType::MonthAndDay:
        return datePart(f, Part::Month, ymd) && datePart(f, Part::Day, ymd);
    case MatchType::YearAndMonth:
        return datePart(f, Part::Year, ymd) && datePart(f, Part::Month, ymd);
    default:
        return Filter();
    }
}

} // namespace

Filter of(const Criterion& criterion) {
    if (!criterion.takesPart()) {
        return Filter();
    }
    return FieldKinds::isText(criterion.kind) ? textFilter(criterion) : numberFilter(criterion);
}

Filter of(const std::vector<Criterion>& criteria) {
    Filter all;
    for (const Criterion& c : criteria) {
        if (c.takesPart()) {
            all = all && of(c);
        }
    }
    return all;
}

} // namespace velatask::CriteriaFilter
