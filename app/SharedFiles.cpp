#include "app/SharedFiles.h"

#include <QCoreApplication>
#include <QDir>

namespace velatask::SharedFiles {

QString directory() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" VELATASK_SHARE_FROM_PROGRAM));
}

QString keyCodes() {
    return directory() + QStringLiteral("/KEYCODES.TXT");
}

QString manualPage(const QString& page) {
    return directory() + QStringLiteral("/manual/") + page;
}

} // namespace velatask::SharedFiles
