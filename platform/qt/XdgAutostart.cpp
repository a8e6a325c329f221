#include "platform/qt/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace velatask {
namespace {

QString configBase(const QString& configHome) {
    QString base = configHome.isEmpty() ? qEnvironmentVariable("XDG_CONFIG_HOME") : configHome;
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base;
}

// One word of an Exec value: reserved characters call for double quotes, inside which ", `, $
// and \ take a backslash; the value's own escape rules then double every backslash.
QString execWord(QString word) {
    static const QRegularExpression reserved(QStringLiteral("[\\s\"'\\\\><~|&;$*?#()`]"));
    if (word.isEmpty() || word.contains(reserved)) {
        static const QRegularExpression escaped(QStringLiteral("([\"`$\\\\])"));
        word.replace(escaped, QStringLiteral("\\\\1"));
        word = QLatin1Char('"') + word + QLatin1Char('"');
    }
    word.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    word.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return word;
}

} // namespace

XdgAutostart::XdgAutostart(const QStringList& command, const QString& configHome)
    : m_command(command),
      m_path(configBase(configHome) + QStringLiteral("/autostart/") + QLatin1String(kFileName)) {}

QString XdgAutostart::execLine(const QStringList& words) {
    QStringList quoted;
    for (const QString& w : words) {
        quoted << execWord(w);
    }
    return quoted.join(QLatin1Char(' '));
}

bool XdgAutostart::isEnabled() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    // An entry the desktop's own settings switched off counts as off.
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line == QLatin1String("Hidden=true") ||
            line == QLatin1String("X-GNOME-Autostart-enabled=false")) {
            return false;
        }
    }
    return true;
}

bool XdgAutostart::setEnabled(bool enabled) {
    if (!enabled) {
        return !QFile::exists(m_path) || QFile::remove(m_path);
    }
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) {
        return false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return false;
    }
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Velatask\n"
                                         "Comment=Task scheduler in the system tray\n"
                                         "Exec=%1\n"
                                         "Icon=velatask\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(execLine(m_command));
    file.write(entry.toUtf8());
    return file.commit();
}

} // namespace velatask
