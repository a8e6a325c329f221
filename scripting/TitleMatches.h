#pragma once

#include <QString>

namespace velatask {

// Whether a window title matches a script's title pattern. Case and trailing blanks are
// ignored; "*" first looks for the rest anywhere in the title, "*" further on compares only what
// comes before it with the start of the title.
bool TitleMatches(const QString& pattern, const QString& title);

} // namespace velatask
