#include "scripting/EventLoopPause.h"

#include "platform/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

namespace velatask {

void EventLoopPause::waitUntil(std::int32_t targetTime) {
    const std::int32_t startDay = m_clock.today();
    const std::int32_t startTime = m_clock.now();
    // The clock may pass midnight while we wait: a new day, or a time of day that went back,
    // ends the pause although the target was never reached.
    auto done = [&] {
        const std::int32_t now = m_clock.now();
        return now >= targetTime || now < startTime || m_clock.today() != startDay;
    };
    if (QCoreApplication::instance() == nullptr) {
        while (!done()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return;
    }
    // Wakes the event loop regularly so the clock is looked at even when nothing else happens.
    QTimer wake;
    wake.start(10);
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

} // namespace velatask
