#include "app/MainFrame.h"
#include "app/QtUi.h"
#include "platform/dbus/DBusDdeClient.h"
#include "platform/qt/ClockSetNotifier.h"
#include "platform/qt/ProcessStarter.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtTray.h"
#include "platform/qt/SystemClock.h"
#include "platform/qt/TerminationSignals.h"
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

using namespace velatask;

// Builds the context with the desktop's services and runs the main frame. The working directory
// is the data directory: the data file "SM" lives there.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velatask"));
    QApplication::setApplicationVersion(QStringLiteral(VELATASK_VERSION));
    QApplication::setWindowIcon(resourceIcon(QStringLiteral("CLOCK.ICO")));
    // The frame may sit hidden in the tray while the last message window closes.
    QApplication::setQuitOnLastWindowClosed(false);

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

    // Logout, `kill` and Ctrl+C end the program as "E&xit" does: position saved, tables closed.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &frame, &QWidget::close);

    runner.setOwnWindow(frame.winId());
    frame.startUp();
    return QApplication::exec();
}
