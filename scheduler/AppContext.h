#pragma once

#include "scheduler/SchedulerState.h"

#include <QString>

#include <atomic>
#include <cstdint>

namespace velatask {

class Autostart;
class Clock;
class DdeClient;
class Frame;
class IniFile;
class KeyInjector;
class MessageWindowOpener;
class ProgramStarter;
class ScriptQueue;
class ScriptRunner;
class Sound;
class Store;
class Tray;
class Ui;
class WindowSystem;
struct Settings;

// The process-wide state and services, created once in main() and handed to whoever needs them.
// Services are not owned here.
struct AppContext {
    IniFile* ini = nullptr;
    Settings* settings = nullptr;
    const Clock* clock = nullptr;
    Ui* ui = nullptr;
    Store* store = nullptr;
    Sound* sound = nullptr;
    ProgramStarter* programs = nullptr;
    ScriptQueue* scriptQueue = nullptr;
    ScriptRunner* scriptRunner = nullptr;
    Frame* frame = nullptr;
    Tray* tray = nullptr;
    MessageWindowOpener* messageWindows = nullptr;
    // Start at login; absent where the desktop offers none.
    Autostart* autostart = nullptr;

    // Message windows currently open (at most 60); changed by the windows as they open and close.
    std::atomic<int> OpenMessageWindows{0};
    // The message handed to the next message window.
    QString PendingMessage;
    // What the last program start returned: its process id, or a small error number.
    std::uint32_t LastInstance = 0;
    // The day the schedule browse has selected, as a Date number in text; given to new tasks.
    QString NewTaskDate;
    SchedulerState schedulerState;
};

} // namespace velatask
