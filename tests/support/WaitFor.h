#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace velatask {

// Processes events until the condition holds or the deadline passes; returns the condition. The
// default deadline is generous so that a busy machine does not fail a test that would pass.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return condition();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

} // namespace velatask
