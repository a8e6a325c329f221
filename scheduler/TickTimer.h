#pragma once

#include "scheduler/TickAligner.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace velatask {

class Clock;

// The frame's one-second timer: a precise single-shot timer that the TickAligner sets, each
// time it wakes, to just after the next whole second of the wall clock.
class TickTimer : public QObject {
    Q_OBJECT
public:
    TickTimer(const Clock& clock, std::function<void()> onTick, QObject* parent = nullptr);

    void start();
    void stop() { m_timer.stop(); }
    bool isActive() const { return m_timer.isActive(); }

public slots:
    // The wall clock was set: re-align now rather than at the next wake-up.
    void clockSet();

private:
    void wake();

    TickAligner m_aligner;
    std::function<void()> m_onTick;
    QTimer m_timer;
};

} // namespace velatask
