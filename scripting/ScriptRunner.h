#pragma once

#include "platform/WindowSystem.h"
#include "scripting/ReentryGuard.h"

#include <QString>

namespace velatask {

class Clock;
class DdeClient;
class KeyInjector;
class KeystrokeSender;
class ScriptQueue;
class Ui;
struct ScriptQueueEntry;

// Performs the first step of the script queue when it is due: one step per call of the frame's
// timer tick. It holds the window that the last "Set Focus" or window wait brought forward.
class ScriptRunner {
public:
    struct Services {
        ScriptQueue& queue;
        const Clock& clock;
        Ui& ui;
        WindowSystem& windows;
        DdeClient& dde;
        KeyInjector& keys;
        KeystrokeSender& sender;
    };

    explicit ScriptRunner(const Services& services);

    // The frame's own window: "Close Program" never closes it, it closes the window of the
    // step's started program instead.
    void setOwnWindow(WindowHandle window) { m_ownWindow = window; }

    // Examines the first entry and performs it if it is due. Does nothing while a step is still
    // in progress (a pause between keystrokes runs the event loop, in which the timer fires).
    void RunScriptStep();

    bool busy() const { return m_guard.busy(); }
    WindowHandle rememberedWindow() const { return m_remembered; }

    // Start results below this are the numbers of failed starts, not process ids.
    static constexpr std::uint32_t kFirstProcessId = 32;

    // Shown once per run when a step needs to reach other programs' windows or keyboard and the
    // session does not allow it.
    static QString noDesktopAccessText();

private:
    // Each returns whether the step is done (and leaves the queue).
    bool perform(const ScriptQueueEntry& entry);
    bool closeProgram(const ScriptQueueEntry& entry);
    bool sendKeystrokes(const ScriptQueueEntry& entry);
    bool exchangeDde(const ScriptQueueEntry& entry);
    bool setFocus(const ScriptQueueEntry& entry);
    bool examineWait(const ScriptQueueEntry& entry);
    // False, after telling the user once, when the platform cannot reach other programs.
    bool reachable(bool available);

    ScriptQueue& m_queue;
    const Clock& m_clock;
    Ui& m_ui;
    WindowSystem& m_windows;
    DdeClient& m_dde;
    KeyInjector& m_keys;
    KeystrokeSender& m_sender;

    ReentryGuard m_guard;
    WindowHandle m_ownWindow = 0;
    WindowHandle m_remembered = 0;
    bool m_unreachableShown = false;
};

} // namespace velatask
