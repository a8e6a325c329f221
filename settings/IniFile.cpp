#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace velatask {
namespace {

// Section name of a "[name]" line, or a null string when the line opens no section.
QString sectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
        return t.mid(1, t.size() - 2).trimmed();
    }
    return QString();
}

bool isComment(const QString& line) {
    const QString t = line.trimmed();
    return t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

QString keyOf(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

QString valueOf(const QString& line) {
    QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) {
        v = v.mid(1, v.size() - 2);
    }
    return v.left(IniFile::kMaxValueLength);
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::defaultPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/velatask/Vela.INI");
}

QStringList IniFile::loadLines() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        lines.append(in.readLine());
    }
    return lines;
}

int IniFile::findKey(const QStringList& lines, const QString& section, const QString& key,
                     int* sectionEnd) {
    bool inSection = false;
    int found = -1;
    int end = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = sectionOf(lines.at(i));
        if (!name.isNull()) {
            if (inSection) {
                break; // only the first section of that name counts
            }
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) {
                end = i + 1;
            }
            continue;
        }
        if (!inSection || isComment(lines.at(i))) {
            continue;
        }
        end = i + 1;
        if (found < 0 && keyOf(lines.at(i)).compare(key, Qt::CaseInsensitive) == 0) {
            found = i;
        }
    }
    if (sectionEnd) {
        *sectionEnd = end;
    }
    return found;
}

QString IniFile::read(const QString& section, const QString& key) const {
    const QStringList lines = loadLines();
    const int i = findKey(lines, section, key, nullptr);
    return i < 0 ? QString() : valueOf(lines.at(i));
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return findKey(loadLines(), section, key, nullptr) >= 0;
}

long IniFile::readNumber(const QString& section, const QString& key) const {
    bool ok = false;
    const long v = read(section, key).toLong(&ok);
    return ok ? v : 0;
}

void IniFile::write(const QString& section, const QString& key, const QString& value) {
    QStringList lines = loadLines();
    int sectionEnd = -1;
    const int i = findKey(lines, section, key, &sectionEnd);
    const QString line = key + QLatin1Char('=') + value.left(kMaxValueLength);
    if (i >= 0) {
        lines[i] = line;
    } else if (sectionEnd >= 0) {
        lines.insert(sectionEnd, line);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
            lines.append(QString());
        }
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(line);
    }

    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return;
    }
    QTextStream out(&file);
    for (const QString& l : lines) {
        out << l << '\n';
    }
    out.flush();
    file.commit();
}

void IniFile::writeNumber(const QString& section, const QString& key, long value) {
    write(section, key, QString::number(value));
}

} // namespace velatask
