#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace velatask {

// What "&Find..." asks for; kept while the viewer is open.
struct LineSearchSettings {
    static constexpr int kTextWidth = 20;

    QString text;
    bool wholeWord = false;
    bool matchCase = false;
    bool down = true;
};

// Finds the next line holding a text, line by line from the highlighted one, offering to start
// again at the other end when the search runs off the list.
class LineSearch {
public:
    // Asked when the search passes the end (down) or the beginning (up); true starts again from
    // the other end, false ends the search.
    using AskWrap = std::function<bool(bool down)>;

    // The index of the line found, or nullopt when the user stopped. `from` is the highlighted
    // line (-1: none).
    static std::optional<int> find(const QStringList& lines, int from,
                                   const LineSearchSettings& settings, const AskWrap& askWrap);

    // Whether the line holds the text. As a whole word, some occurrence must stand between
    // blanks or the ends of the line's text (its trailing blanks do not count).
    static bool matches(const QString& line, const LineSearchSettings& settings);
};

} // namespace velatask
