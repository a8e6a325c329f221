#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cstdlib>

namespace velatask::test {

// How long a test waits for the X server, the window manager or a started client. Generous,
// because a machine busy with builds can take seconds to start a sanitized client; a passing
// test never waits this long.
inline constexpr int kWaitMs = 20000;

// Polls `condition` (letting Qt and the X connection work) until it holds or `timeoutMs` passes.
template <typename Condition> bool waitUntil(Condition condition, int timeoutMs = kWaitMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

inline bool haveDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

} // namespace velatask::test
