#include "core/FixedText.h"

namespace velatask::FixedText {

QString rtrim(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' ')) {
        --n;
    }
    return text.left(n);
}

QString fit(const QString& text, int width) {
    return rtrim(text.left(width));
}

bool equal(const QString& a, const QString& b) {
    return rtrim(a) == rtrim(b);
}

bool isBlank(const QString& text) {
    return rtrim(text).isEmpty();
}

} // namespace velatask::FixedText
