#include "platform/qt/DesktopEntry.h"

#include "platform/qt/CommandLine.h"

#include <QFile>
#include <QHash>

namespace velatask {

namespace {

// The escapes of a value: \s \n \t \r and \\.
QString unescapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            out += c;
            out += next;
        }
    }
    return out;
}

// The keys of the "[Desktop Entry]" group, without translations.
QHash<QString, QString> mainGroup(const QString& path) {
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return keys;
    }
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[')) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inGroup || eq <= 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        if (!keys.contains(key)) {
            keys.insert(key, unescapeValue(line.mid(eq + 1).trimmed()));
        }
    }
    return keys;
}

// The field codes of a start without files: file and address codes vanish, %i gives the icon
// option, %c the name, %k the entry's own file, %% a percent sign.
QStringList expandFieldCodes(const QStringList& words, const QHash<QString, QString>& keys,
                             const QString& path) {
    QStringList out;
    for (const QString& word : words) {
        if (word == QLatin1String("%i")) {
            if (!keys.value(QStringLiteral("Icon")).isEmpty()) {
                out << QStringLiteral("--icon") << keys.value(QStringLiteral("Icon"));
            }
            continue;
        }
        if (word == QLatin1String("%f") || word == QLatin1String("%F") ||
            word == QLatin1String("%u") || word == QLatin1String("%U")) {
            continue;
        }
        QString expanded;
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (word.at(i) != u'%' || i + 1 == word.size()) {
                expanded += word.at(i);
                continue;
            }
            switch (word.at(++i).unicode()) {
            case '%':
                expanded += u'%';
                break;
            case 'c':
                expanded += keys.value(QStringLiteral("Name"));
                break;
            case 'k':
                expanded += path;
                break;
            default:
                break; // the other codes stand for files or are obsolete
            }
        }
        out << expanded;
    }
    return out;
}

} // namespace

bool DesktopEntry::isDesktopFile(const QString& path) {
    return path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive);
}

std::optional<DesktopEntry> DesktopEntry::read(const QString& path) {
    const QHash<QString, QString> keys = mainGroup(path);
    DesktopEntry entry;
    if (keys.value(QStringLiteral("Type")) == QLatin1String("Link")) {
        entry.url = keys.value(QStringLiteral("URL"));
        return entry.url.isEmpty() ? std::nullopt : std::optional(entry);
    }
    const std::optional<QStringList> words = CommandLine::split(keys.value(QStringLiteral("Exec")));
    if (!words) {
        return std::nullopt;
    }
    entry.command = expandFieldCodes(*words, keys, path);
    if (entry.command.isEmpty()) {
        return std::nullopt;
    }
    entry.workingDirectory = keys.value(QStringLiteral("Path"));
    entry.terminal = keys.value(QStringLiteral("Terminal")) == QLatin1String("true");
    return entry;
}

} // namespace velatask
