#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace velatask {

// What a desktop entry file (an application launcher, "*.desktop") starts: its command with the
// field codes filled in for a start without files, the directory to start it in, whether it
// wants a terminal; or, for a link entry, the address it opens.
struct DesktopEntry {
    QStringList command;
    QString workingDirectory;
    bool terminal = false;
    QString url;

    static bool isDesktopFile(const QString& path);
    // The entry of the file's "[Desktop Entry]" group; nullopt when it has neither a usable
    // command nor an address.
    static std::optional<DesktopEntry> read(const QString& path);
};

} // namespace velatask
