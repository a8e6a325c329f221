#pragma once

#include <QString>
#include <QStringList>

namespace velatask {

// Where the HTML manual is: beside an installed program (share/velatask/manual next to its bin
// folder) or, for a program run from its build tree, in the source tree it was built from.
namespace ManualLocation {

// The folders searched, in order, for a program whose executable lies in `executableDir`.
QStringList candidates(const QString& executableDir, const QString& sourceShareDir);

// The first candidate that holds the manual's index page; empty when none does.
QString find(const QString& executableDir, const QString& sourceShareDir);

} // namespace ManualLocation
} // namespace velatask
