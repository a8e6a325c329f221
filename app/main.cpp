#include "app/DataDirectory.h"
#include "app/MainFrame.h"
#include "app/QtUi.h"
#include "app/SharedFiles.h"
#include "app/StartOptions.h"
#include "platform/dbus/DBusDdeClient.h"
#include "platform/dbus/DBusSingleInstance.h"
#include "platform/qt/ClockSetNotifier.h"
#include "platform/qt/ProcessStarter.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtTray.h"
#include "platform/qt/SystemClock.h"
#include "platform/qt/XdgAutostart.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11WindowSystem.h"
#include "resources/Resources.h"
#include "scheduler/AppContext.h"
#include "scheduler/SchedulerTick.h"
#include "scripting/EventLoopPause.h"
#include "scripting/KeyPlayback.h"
#include "scripting/KeystrokeSender.h"
#include "scripting/QtDeliveryScheduler.h"
#include "scripting/ScriptQueue.h"
#include "scripting/ScriptRunner.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "store/Store.h"
#include "windows/QtMessageWindows.h"

#include <QApplication>
#include <QDir>

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

// Reads the command line, makes the data directory the working directory (the data file "SM"
// lives there), hands over to a scheduler already running for it, or builds the context with the
// desktop's services and runs the main frame.
int main(int argc, char* argv[]) {
    const StartOptions options =
        StartOptions::parse(argumentList(argc, argv), QStringLiteral(VELATASK_VERSION));
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

    IniFile ini(IniFile::defaultPath());
    Settings settings = Settings::load(ini);
    SystemClock clock;
    QtUi ui;
    Store store(QDir::currentPath(), ui);

    QtSound sound;
    ProcessStarter programs;
    X11Display display;
    X11KeyInjector keys(display);
    X11WindowSystem windows(display);
    DBusDdeClient dde;
    QtDeliveryScheduler delivery;
    KeyPlayback playback(keys, delivery);
    EventLoopPause pause(clock);
    KeystrokeSender sender(playback, clock, pause);
    ScriptQueue queue;
    ScriptRunner runner(ScriptRunner::Services{queue, clock, ui, windows, dde, keys, sender});
    QtTray tray(resourceIcon(QStringLiteral("TRAY_ICO")));

    AppContext ctx;
    ctx.ini = &ini;
    ctx.settings = &settings;
    ctx.clock = &clock;
    ctx.ui = &ui;
    ctx.store = &store;
    ctx.sound = &sound;
    ctx.programs = &programs;
    ctx.scriptQueue = &queue;
    ctx.scriptRunner = &runner;
    ctx.tray = &tray;
    XdgAutostart autostart(loginCommand(options));
    ctx.autostart = &autostart;
    QtMessageWindows messageWindows(ctx);
    ctx.messageWindows = &messageWindows;

    SchedulerTick tick(ctx);
    MainFrame frame(ctx, tick);
    ctx.frame = &frame;
    ui.setParentWindow(&frame);
    QObject::connect(&tray, &QtTray::clicked, &frame, &MainFrame::trayClicked);
    QObject::connect(&tray, &QtTray::restoreChosen, &frame, &MainFrame::trayClicked);
    QObject::connect(&tray, &QtTray::closeChosen, &frame, &MainFrame::trayClose);
    ClockSetNotifier clockSet;
    QObject::connect(&clockSet, &ClockSetNotifier::clockSet, &frame.tickTimer(),
                     &TickTimer::clockSet);

    frame.show();
    runner.setOwnWindow(frame.winId());
    QObject::connect(&instance, &DBusSingleInstance::activated, &frame, &MainFrame::comeForward);
    frame.startUp(options.minimized);
    return QApplication::exec();
}
