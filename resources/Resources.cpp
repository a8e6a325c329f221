#include "resources/Resources.h"

namespace velatask {

QIcon resourceIcon(const QString& name) {
    return QIcon(QStringLiteral(":/icons/") + name);
}

} // namespace velatask
