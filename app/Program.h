#pragma once

#include "app/MainFrame.h"
#include "app/QtUi.h"
#include "app/StoreChoice.h"
#include "editing/EditingContext.h"
#include "editing/QtFileChooser.h"
#include "platform/dbus/DBusDdeClient.h"
#include "platform/qt/ClockSetNotifier.h"
#include "platform/qt/ProcessStarter.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtTray.h"
#include "platform/qt/SystemClock.h"
#include "platform/qt/XdgAutostart.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11WindowSystem.h"
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
#include "windows/CalendarPicker.h"
#include "windows/QtMessageWindows.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace velatask {

// The whole program on the desktop: every service, the context that carries them, and the main
// frame, built in dependency order and taken down in reverse. main() makes one; tests that drive
// the real program in their own process make their own.
class Program {
public:
    // The data folder holds "SM" (or the store is on the server `store` names); `iniPath` is the
    // settings file; `loginCommand` is how the session starts the program at login when that
    // option is on.
    Program(const StoreChoice& store, const QString& dataDirectory, const QString& iniPath,
            const QStringList& loginCommand);

    // Shows the frame (or leaves it in the tray) and runs its start-up steps.
    void start(bool minimized = false);

    AppContext& context() { return m_ctx; }
    EditingContext& editing() { return m_editing; }
    MainFrame& frame() { return *m_frame; }

private:
    IniFile m_ini;
    Settings m_settings;
    SystemClock m_clock;
    QtUi m_ui;
    std::unique_ptr<Store> m_store;
    QtSound m_sound;
    ProcessStarter m_programs;
    X11Display m_display;
    X11KeyInjector m_keys{m_display};
    X11WindowSystem m_windows{m_display};
    DBusDdeClient m_dde;
    QtDeliveryScheduler m_delivery;
    KeyPlayback m_playback{m_keys, m_delivery};
    EventLoopPause m_pause{m_clock};
    KeystrokeSender m_sender{m_playback, m_clock, m_pause};
    ScriptQueue m_queue;
    ScriptRunner m_runner;
    QtTray m_tray;
    XdgAutostart m_autostart;
    AppContext m_ctx;
    QtMessageWindows m_messageWindows{m_ctx};
    CalendarPicker m_calendar{m_ini, m_clock, m_ui};
    QtFileChooser m_files;
    EditingContext m_editing{m_ctx, m_calendar, m_files};
    SchedulerTick m_tick{m_ctx};
    std::unique_ptr<MainFrame> m_frame;
    ClockSetNotifier m_clockSet;
};

} // namespace velatask
