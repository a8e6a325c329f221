#pragma once

#include <QString>
#include <QStringList>

namespace velatask {

// The command line, GNU style: --help, --version, --data-dir DIR, --minimized and
// --copy-data-to-server. Read before
// any window exists, so that --help and --version work without a display.
struct StartOptions {
    // CopyToServer: --copy-data-to-server, the files of the data directory moved to the server
    // that the settings name, without a window.
    enum class Action { Run, CopyToServer, ShowHelp, ShowVersion, Fail };

    Action action = Action::Run;
    // Empty: the default data directory.
    QString dataDir;
    bool minimized = false;
    // What to print for ShowHelp, ShowVersion and Fail.
    QString text;

    // Exit status when the program stops at once: 0 for help and version, 2 for a usage error.
    int exitCode() const { return action == Action::Fail ? 2 : 0; }

    // `arguments` includes the program name first, as argv does.
    static StartOptions parse(const QStringList& arguments, const QString& version);
};

} // namespace velatask
