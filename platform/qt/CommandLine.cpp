#include "platform/qt/CommandLine.h"

namespace velatask::CommandLine {

std::optional<QStringList> split(const QString& commandLine) {
    QStringList words;
    QString word;
    bool inWord = false;
    const qsizetype n = commandLine.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = commandLine.at(i);
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inWord) {
                words.append(word);
                word.clear();
                inWord = false;
            }
            continue;
        }
        inWord = true;
        if (c == u'\'') {
            const qsizetype end = commandLine.indexOf(u'\'', i + 1);
            if (end < 0) {
                return std::nullopt;
            }
            word += commandLine.mid(i + 1, end - i - 1);
            i = end;
        } else if (c == u'"') {
            qsizetype j = i + 1;
            for (; j < n && commandLine.at(j) != u'"'; ++j) {
                const QChar d = commandLine.at(j);
                if (d == u'\\' && j + 1 < n) {
                    const QChar next = commandLine.at(j + 1);
                    if (next == u'$' || next == u'`' || next == u'"' || next == u'\\') {
                        word += next;
                        ++j;
                        continue;
                    }
                    if (next == u'\n') {
                        ++j;
                        continue;
                    }
                }
                word += d;
            }
            if (j >= n) {
                return std::nullopt;
            }
            i = j;
        } else if (c == u'\\') {
            if (i + 1 < n) {
                ++i;
                if (commandLine.at(i) != u'\n') {
                    word += commandLine.at(i);
                }
            }
        } else {
            word += c;
        }
    }
    if (inWord) {
        words.append(word);
    }
    return words;
}

} // namespace velatask::CommandLine
