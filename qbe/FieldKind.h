#pragma once

#include "qbe/MatchType.h"

#include <QString>

#include <vector>

namespace velatask {

// What kind of value a searchable field holds; it decides how values compare and which match
// types make sense for the field.
enum class FieldKind {
    String,  // fixed-width text
    Text,    // a memo
    Number,  // a whole number
    Date,    // a day number (times are searched as this kind too, compared as numbers)
    Picture, // a number shown through a picture; begins and ends compare its digits
    Check,   // a flag, 0 or 1
    Option,  // one of a few fixed words
};

namespace FieldKinds {

// "Match Type for STRING Field".
QString dialogTitle(FieldKind kind);
// The match types the dialog offers for the kind, in index order (Ignore first).
std::vector<MatchType> offered(FieldKind kind);
bool offers(FieldKind kind, MatchType type);
// Text, memo and option fields compare as text without regard to case; the rest as numbers.
bool isText(FieldKind kind);

} // namespace FieldKinds
} // namespace velatask
