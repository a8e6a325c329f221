#include "scripting/TitleMatches.h"

#include "core/FixedText.h"

namespace velatask {

bool TitleMatches(const QString& pattern, const QString& title) {
    const QString p = FixedText::rtrim(pattern).toUpper();
    const QString t = FixedText::rtrim(title).toUpper();
    if (p == t) {
        return true;
    }
    const qsizetype star = p.indexOf(QLatin1Char('*'));
    if (star < 0) {
        return false;
    }
    if (star == 0) {
        return t.contains(FixedText::rtrim(p.mid(1)));
    }
    // A title shorter than the part before the "*" compares as if filled with blanks.
    const QString head = p.left(star);
    return t.leftJustified(head.size(), QLatin1Char(' '), true) == head;
}

} // namespace velatask
