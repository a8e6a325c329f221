#include "app/Program.h"
#include "resources/Resources.h"
#include "settings/IniFile.h"

#include <QApplication>
#include <QDir>

using namespace velatask;

// Runs the program in its data directory, the working directory: the data file "SM" lives there.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velatask"));
    QApplication::setApplicationVersion(QStringLiteral(VELATASK_VERSION));
    QApplication::setWindowIcon(resourceIcon(QStringLiteral("CLOCK.ICO")));
    // The frame may sit hidden in the tray while the last message window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    Program program(QDir::currentPath(), IniFile::defaultPath());
    program.start();
    return QApplication::exec();
}
