#pragma once

#include "qbe/Criterion.h"

#include <QVariant>

namespace velatask {

// The match tests on a field's value in memory. They answer as the criterion's store filter
// (CriteriaFilter) does on the stored record: text kinds compare in capitals, trailing blanks
// never count, equals, the ranges and begins-with also pass over the field's leading blanks;
// numbers, dates and pictures compare as numbers.
namespace MatchTest {

// True when the value satisfies the criterion; always true for a criterion that takes no part.
bool matches(const Criterion& criterion, const QVariant& value);

// Text as the tests compare it: without trailing blanks, optionally without leading blanks, in
// capitals.
QString folded(const QVariant& text, bool withoutLeadingBlanks);

} // namespace MatchTest
} // namespace velatask
