#pragma once

#include "qbe/Criterion.h"
#include "store/Filter.h"

#include <vector>

namespace velatask {

// Criteria as a store filter, so that the store tests them while it reads and hands over only
// the matching records. It answers as MatchTest does on the same values.
namespace CriteriaFilter {

// Holds for every record when the criterion takes no part.
Filter of(const Criterion& criterion);
// All criteria at once (and).
Filter of(const std::vector<Criterion>& criteria);

} // namespace CriteriaFilter
} // namespace velatask
