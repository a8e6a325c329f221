#pragma once

#include <QIcon>
#include <QString>

namespace velatask {

// The program's own icons by their resource names ("CLOCK.ICO", "TRAY_ICO", "LEFT", ...).
QIcon resourceIcon(const QString& name);

} // namespace velatask
