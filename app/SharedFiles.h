#pragma once

#include <QString>

namespace velatask {

// Where the files that ship with the program are (manual, KEYCODES.TXT): found from the
// program's own place, <prefix>/bin/velatask beside <prefix>/share/velatask, so that an installed
// program and one in its build folder (which lays the files out the same way) both find theirs.
namespace SharedFiles {

QString directory();
QString keyCodes();
// A page of the manual, optionally with "#anchor".
QString manualPage(const QString& page);

} // namespace SharedFiles
} // namespace velatask
