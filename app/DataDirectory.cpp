#include "app/DataDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velatask {

QString DataDirectory::defaultPath() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // Relative values are to be ignored, as the base directory rules say.
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return base + QStringLiteral("/velatask");
}

bool DataDirectory::prepare(const QString& path, const QString& shippedKeyCodes) {
    m_path = QDir(path).absolutePath();
    const QFileInfo info(m_path);
    if (info.exists() && !info.isDir()) {
        m_error = QStringLiteral("%1 is not a directory").arg(m_path);
        return false;
    }
    if (!QDir().mkpath(m_path)) {
        m_error = QStringLiteral("cannot make the directory %1").arg(m_path);
        return false;
    }
    const QString keyCodes = QDir(m_path).filePath(QStringLiteral("KEYCODES.TXT"));
    if (!QFileInfo::exists(keyCodes) && QFileInfo::exists(shippedKeyCodes) &&
        QFile::copy(shippedKeyCodes, keyCodes)) {
        // The installed copy is read-only; the user's copy is theirs to edit.
        QFile::setPermissions(keyCodes, QFile::permissions(keyCodes) | QFile::WriteOwner);
    }
    m_error.clear();
    return true;
}

} // namespace velatask
