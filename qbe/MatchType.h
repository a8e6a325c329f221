#pragma once

#include <QString>

namespace velatask {

// How a field's value is compared with the example the user gave. The numbers are the indexes
// the match-type dialog returns.
enum class MatchType {
    Ignore = 0,
    Equals = 1,
    NotEquals = 2,
    MoreThan = 3,
    LessThan = 4,
    MoreOrEqual = 5,
    LessOrEqual = 6,
    InsideRange = 7,
    OutsideRange = 8,
    BeginsWith = 9,
    EndsWith = 10,
    Contains = 11,
    NotContains = 12,
    MonthOfYear = 13,
    DayOfMonth = 14,
    InYear = 15,
    MonthAndDay = 16,
    YearAndMonth = 17,
};

// The texts and marks of the match types.
namespace MatchTypes {

constexpr int kCount = 18;

// The radio button's text in the match-type dialog ("&Equals this").
QString dialogText(MatchType type);
// The mark shown beside a field that carries the type: a symbol ("≠", "↔") or, for the
// calendar types, a letter ("m", "Y"); empty for Ignore.
QString code(MatchType type);
// Inside or outside a range: the criterion has an upper limit.
bool isRange(MatchType type);

} // namespace MatchTypes
} // namespace velatask
