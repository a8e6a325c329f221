#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cstdlib>

namespace velatask::test {

// Polls `condition` (letting Qt and the X connection work) until it holds or `timeoutMs` passes.
template <typename Condition> bool waitUntil(Condition condition, int timeoutMs = 5000) {
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
