#include "app/CopyToServer.h"
#include "app/DataDirectory.h"
#include "app/Program.h"
#include "app/SharedFiles.h"
#include "app/StartOptions.h"
#include "app/StoreChoice.h"
#include "platform/dbus/DBusSingleInstance.h"
#include "platform/qt/TerminationSignals.h"
#include "resources/Resources.h"
#include "settings/IniFile.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

using namespace velatask;

namespace {

QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// How the session starts the program at login: quietly, for the data directory in use.
QStringList loginCommand(const StartOptions& options) {
    QStringList command{QCoreApplication::applicationFilePath(), QStringLiteral("--minimized")};
    if (!options.dataDir.isEmpty()) {
        command << QStringLiteral("--data-dir") << QDir::current().absolutePath();
    }
    return command;
}

int fail(const QString& text) {
    std::fprintf(stderr, "velatask: %s\n", qPrintable(text));
    return 1;
}

} // namespace

// Reads the command line, copies the data to a server when asked, makes the data directory the
// working directory (the data file "SM" lives there), hands over to a scheduler already running
// for it, or chooses the store and builds the context with the desktop's services and runs the
// main frame.
int main(int argc, char* argv[]) {
    const StartOptions options =
        StartOptions::parse(argumentList(argc, argv), QStringLiteral(VELATASK_VERSION));
    if (options.action == StartOptions::Action::CopyToServer) {
        // No window: the command also runs where no display is.
        QCoreApplication app(argc, argv);
        const QString dataDir =
            options.dataDir.isEmpty() ? DataDirectory::defaultPath() : options.dataDir;
        // A Velatask writing the files while they are copied would leave the server a mix of two
        // moments; the name held during the copy also keeps one from starting on them.
        const QString canonical = QDir(dataDir).canonicalPath();
        DBusSingleInstance instance(canonical);
        if (!canonical.isEmpty() && instance.claim() == DBusSingleInstance::Claim::Running) {
            return fail(QStringLiteral("a Velatask is running for %1: exit it, then copy again")
                            .arg(dataDir));
        }
        QTextStream out(stdout);
        QTextStream err(stderr);
        return CopyToServer::run(dataDir, IniFile(IniFile::defaultPath()), out, err);
    }
    if (options.action != StartOptions::Action::Run) {
        std::fputs(qPrintable(options.text),
                   options.action == StartOptions::Action::Fail ? stderr : stdout);
        return options.exitCode();
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velatask"));
    QApplication::setApplicationVersion(QStringLiteral(VELATASK_VERSION));
    QApplication::setWindowIcon(resourceIcon(QStringLiteral("CLOCK.ICO")));
    QGuiApplication::setDesktopFileName(QStringLiteral("velatask"));
    // The frame may sit hidden in the tray while the last message window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    DataDirectory data;
    if (!data.prepare(options.dataDir.isEmpty() ? DataDirectory::defaultPath() : options.dataDir,
                      SharedFiles::keyCodes()) ||
        !QDir::setCurrent(data.path())) {
        return fail(data.error().isEmpty() ? QStringLiteral("cannot work in %1").arg(data.path())
                                           : data.error());
    }
    DBusSingleInstance instance(QDir(data.path()).canonicalPath());
    if (instance.claim() == DBusSingleInstance::Claim::Running) {
        return instance.activateRunning()
                   ? 0
                   : fail(QStringLiteral("a Velatask for %1 is running but does not answer")
                              .arg(data.path()));
    }

    // The store's place is settled before any table opens: a server that cannot be used stops
    // the start rather than leaving the station on the local file.
    const StoreChoice store = StoreChoice::read(IniFile(IniFile::defaultPath()));
    if (!store.problem().isEmpty()) {
        fail(store.problem());
        QtUi ui;
        store.report(ui);
        return 1;
    }
    Program program(store, QDir::currentPath(), IniFile::defaultPath(), loginCommand(options));
    QObject::connect(&instance, &DBusSingleInstance::activated, &program.frame(),
                     &MainFrame::comeForward);
    // Logout, `kill` and Ctrl+C end the program as "E&xit" does: position saved, tables closed.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &program.frame(),
                     &QWidget::close);
    program.start(options.minimized);
    return QApplication::exec();
}
