#pragma once

#include <QFontMetrics>

namespace velatask {

// Dialog units of a font: a horizontal unit is a quarter of the font's average character width
// (taken over the 52 letters), a vertical unit an eighth of its height. Window layouts and list
// columns are declared in them, so they scale with the desktop's font.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics);

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    int fromPixelsX(int pixels) const;

private:
    int m_baseX;
    int m_baseY;
};

} // namespace velatask
