#include "scheduler/TickTimer.h"

namespace velatask {

TickTimer::TickTimer(const Clock& clock, std::function<void()> onTick, QObject* parent)
    : QObject(parent), m_aligner(clock), m_onTick(std::move(onTick)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::wake);
}

void TickTimer::start() {
    wake();
}

void TickTimer::clockSet() {
    if (m_timer.isActive()) {
        wake();
    }
}

void TickTimer::wake() {
    const TickAligner::Wake next = m_aligner.wake();
    // Armed before the tick, so that the timer keeps its rhythm while a tick waits in a message
    // box (the ticks that fire meanwhile find the scheduler busy and do nothing).
    m_timer.start(next.delayMs);
    if (next.tick) {
        m_onTick();
    }
}

} // namespace velatask
