#pragma once

#include <QString>

namespace velatask {

class IniFile;
class WindowGeometry;

// Called by every window when it closes: remembers whether it was maximised and its normal
// rectangle in its own section. A window closed while iconised leaves its section unchanged.
void SaveWindowPosition(IniFile& ini, const QString& section, WindowGeometry& window);

// Called by every window right after it opens. A saved XPosit or YPosit of 0 means "not saved":
// the window keeps its defined place (a saved "Maximize=Yes" still applies unless XPosit is 0).
void RestoreWindowPosition(const IniFile& ini, const QString& section, WindowGeometry& window);

// Empties the eight remembered entries of the eighteen window sections that the reset covers.
void ResetSavedWindowSettings(IniFile& ini);

} // namespace velatask
