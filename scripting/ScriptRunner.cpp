#include "scripting/ScriptRunner.h"

#include "core/FixedText.h"
#include "core/Ui.h"
#include "platform/Clock.h"
#include "platform/DdeClient.h"
#include "platform/KeyInjector.h"
#include "scripting/KeystrokeSender.h"
#include "scripting/ScriptQueue.h"
#include "scripting/TitleMatches.h"

namespace velatask {

namespace {

const QString kScriptError = QStringLiteral("Script Error");

// Names and topics go out without trailing blanks and cut to 79 characters.
QString conversationName(const QString& field) {
    return FixedText::rtrim(field).left(79);
}

} // namespace

ScriptRunner::ScriptRunner(const Services& services)
    : m_queue(services.queue), m_clock(services.clock), m_ui(services.ui),
      m_windows(services.windows), m_dde(services.dde), m_keys(services.keys),
      m_sender(services.sender) {}

QString ScriptRunner::noDesktopAccessText() {
    return QStringLiteral(
        "Script steps that type keystrokes or act on other programs' windows need an X11 "
        "session. This session does not allow it, so such steps are skipped.");
}

void ScriptRunner::RunScriptStep() {
    const ReentryGuard::Scope scope(m_guard);
    if (!scope.entered()) {
        return;
    }
    const std::optional<ScriptQueueEntry> entry = m_queue.first();
    if (!entry || !entry->isDue(m_clock.today(), m_clock.now())) {
        return;
    }
    if (perform(*entry)) {
        // Removes this entry only: a housekeeping clear during a long step may have emptied the
        // queue, and other scripts may have been queued since.
        m_queue.removeFirst(entry->serial);
    }
}

bool ScriptRunner::perform(const ScriptQueueEntry& entry) {
    const QString& action = entry.S.Action;
    if (FixedText::equal(action, ScriptAction::kCloseProgram)) {
        return closeProgram(entry);
    }
    if (FixedText::equal(action, ScriptAction::kSendKeystrokes)) {
        return sendKeystrokes(entry);
    }
    if (FixedText::equal(action, ScriptAction::kDde)) {
        return exchangeDde(entry);
    }
    if (FixedText::equal(action, ScriptAction::kSetFocus)) {
        return setFocus(entry);
    }
    if (FixedText::equal(action, ScriptAction::kWait)) {
        if (FixedText::isBlank(entry.S.WaitForWindow)) {
            return true;
        }
        return examineWait(entry);
    }
    const QString padded = FixedText::fit(action, ScriptStep::kActionWidth)
                               .leftJustified(ScriptStep::kActionWidth, QLatin1Char(' '));
    m_ui.message(QStringLiteral("Invalid script option: ") + padded, kScriptError, Ui::NoIcon,
                 Ui::Ok);
    return true;
}

bool ScriptRunner::reachable(bool available) {
    if (available) {
        return true;
    }
    if (!m_unreachableShown) {
        m_unreachableShown = true;
        m_ui.message(noDesktopAccessText(), kScriptError, Ui::Exclamation, Ui::Ok);
    }
    return false;
}

bool ScriptRunner::closeProgram(const ScriptQueueEntry& entry) {
    WindowHandle target = m_remembered;
    if (target == 0 || !reachable(m_windows.available())) {
        return true;
    }
    if (target == m_ownWindow) {
        // Never close the scheduler itself: the program the task started stands in for it, and
        // a failed start has no window.
        target =
            entry.startResult >= kFirstProcessId ? m_windows.windowOfProcess(entry.startResult) : 0;
        if (target == m_ownWindow) {
            target = 0;
        }
    }
    if (target != 0) {
        m_windows.CloseWindow(target);
    }
    return true;
}

bool ScriptRunner::sendKeystrokes(const ScriptQueueEntry& entry) {
    if (FixedText::isBlank(entry.S.Keystrokes) || !reachable(m_keys.available())) {
        return true;
    }
    if (!m_sender.SendKeystrokes(entry.S.Keystrokes)) {
        m_ui.message(QStringLiteral("Too many keystrokes are waiting to be played; the rest of "
                                    "this step's keystrokes were dropped."),
                     kScriptError, Ui::Exclamation, Ui::Ok);
    }
    return true;
}

bool ScriptRunner::exchangeDde(const ScriptQueueEntry& entry) {
    const int channel = m_dde.DdeOpen(conversationName(entry.S.DDEApplicationName),
                                      conversationName(entry.S.DDEApplicationTopic));
    if (channel != 0) {
        m_dde.DdeExecute(channel, FixedText::rtrim(entry.S.DDECommand));
        m_dde.DdeClose(channel);
    }
    return true;
}

bool ScriptRunner::setFocus(const ScriptQueueEntry& entry) {
    if (!reachable(m_windows.available())) {
        return true;
    }
    for (const WindowEntry& window : m_windows.BuildWindowList()) {
        if (TitleMatches(entry.S.FocusOnWindow, window.title)) {
            m_windows.FocusWindow(window.handle);
            m_remembered = window.handle;
            break;
        }
    }
    return true;
}

bool ScriptRunner::examineWait(const ScriptQueueEntry& entry) {
    if (!reachable(m_windows.available())) {
        return true;
    }
    m_remembered = 0;
    const QString& field = entry.S.WaitForWindow;
    const bool disappear = field.startsWith(QLatin1Char('~'));
    const QString pattern = disappear ? field.mid(1) : field;
    for (const WindowEntry& window : m_windows.BuildWindowList()) {
        if (TitleMatches(pattern, window.title)) {
            if (disappear) {
                return false;
            }
            m_windows.FocusWindow(window.handle);
            m_remembered = window.handle;
            return true;
        }
    }
    return disappear;
}

} // namespace velatask
