#pragma once

#include <QVariant>

namespace velatask {

// The SQL functions that filters use, installed on every connection of the store:
//   velatask_fold(text, mode)               text folded as TextFold::apply folds it
//   velatask_match(text, needle, how, mode) 1 when the folded text begins with (how 0), ends
//                                           with (1) or contains (2) the needle, else 0
//   velatask_datepart(date, part)           year (0), month (1) or day (2) of a day number;
//                                           NULL for no date
// Letter case follows Unicode, not only the ASCII letters that SQLite's own functions know.
namespace SqlFunctions {

// `handle` is the driver's handle of an open connection. False when it is not a SQLite one.
bool install(const QVariant& handle);

} // namespace SqlFunctions
} // namespace velatask
