#include "scripting/ui/LineSearch.h"

#include "core/FixedText.h"

namespace velatask {

bool LineSearch::matches(const QString& line, const LineSearchSettings& settings) {
    const QString text = settings.text.left(LineSearchSettings::kTextWidth);
    const QString hay = settings.matchCase ? line : line.toUpper();
    const QString needle = settings.matchCase ? text : text.toUpper();
    const qsizetype end = FixedText::rtrim(hay).size();
    for (qsizetype at = hay.indexOf(needle); at >= 0; at = hay.indexOf(needle, at + 1)) {
        if (!settings.wholeWord) {
            return true;
        }
        const qsizetype after = at + needle.size();
        const bool blankBefore = at == 0 || hay.at(at - 1) == u' ';
        const bool blankAfter = after >= end || hay.at(after) == u' ';
        if (blankBefore && blankAfter) {
            return true;
        }
        if (at >= hay.size()) {
            break;
        }
    }
    return false;
}

std::optional<int> LineSearch::find(const QStringList& lines, int from,
                                    const LineSearchSettings& settings, const AskWrap& askWrap) {
    const int count = static_cast<int>(lines.size());
    const int step = settings.down ? 1 : -1;
    int at = from;
    for (;;) {
        at += step;
        if (at >= count || at < 0) {
            if (!askWrap(settings.down)) {
                return std::nullopt;
            }
            at = settings.down ? -1 : count;
            continue;
        }
        if (matches(lines.at(at), settings)) {
            return at;
        }
    }
}

} // namespace velatask
