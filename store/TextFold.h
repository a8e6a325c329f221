#pragma once

#include <QString>

namespace velatask {

// How text is compared by filters: trailing blanks never count; optionally in capitals and
// without leading blanks. The SQL functions and the bound values fold alike.
namespace TextFold {

enum Mode { Capitals = 1, NoLeadingBlanks = 2 };

QString apply(const QString& text, int mode);

} // namespace TextFold
} // namespace velatask
