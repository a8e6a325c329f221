#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace velatask {

// A template for QTemporaryDir in memory when the machine offers a memory file system: tests
// and fuzz targets that sync a file thousands of times then wait for no disk. A process killed
// outright loses nothing there that it would keep on a disk.
inline QString memoryTempTemplate() {
    const QString memory = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    return base + QStringLiteral("/velatask-XXXXXX");
}

} // namespace velatask
