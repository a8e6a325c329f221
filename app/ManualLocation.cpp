#include "app/ManualLocation.h"

#include <QDir>
#include <QFileInfo>

namespace velatask::ManualLocation {

QStringList candidates(const QString& executableDir, const QString& sourceShareDir) {
    const QDir exe(executableDir);
    QStringList dirs{QDir::cleanPath(exe.filePath(QStringLiteral("../share/velatask/manual")))};
    if (!sourceShareDir.isEmpty()) {
        dirs << QDir::cleanPath(sourceShareDir + QStringLiteral("/manual"));
    }
    return dirs;
}

QString find(const QString& executableDir, const QString& sourceShareDir) {
    for (const QString& dir : candidates(executableDir, sourceShareDir)) {
        if (QFileInfo(dir + QStringLiteral("/index.html")).isFile()) {
            return dir;
        }
    }
    return QString();
}

} // namespace velatask::ManualLocation
