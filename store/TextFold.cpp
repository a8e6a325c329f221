#include "store/TextFold.h"

#include "core/FixedText.h"

namespace velatask::TextFold {

QString apply(const QString& text, int mode) {
    QString out = FixedText::rtrim(text);
    if (mode & NoLeadingBlanks) {
        qsizetype n = 0;
        while (n < out.size() && out.at(n) == QLatin1Char(' ')) {
            ++n;
        }
        out.remove(0, n);
    }
    // Full case mapping: "ß" becomes "SS" on both sides of a comparison.
    return (mode & Capitals) ? out.toUpper() : out;
}

} // namespace velatask::TextFold
