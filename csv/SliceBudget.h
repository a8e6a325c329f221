#pragma once

#include <QElapsedTimer>

namespace velatask {

// How long one slice of batch work may take before the event loop runs again: the work goes on
// in batches of N records while time is left. With no time set, a slice is one batch.
class SliceBudget {
public:
    // What a progress window gives one slice: the window repaints and answers "Cancel" well
    // within the time a user notices.
    static constexpr int kWindowMs = 25;

    void setMilliseconds(int ms) { m_ms = ms; }
    int milliseconds() const { return m_ms; }

    void start() { m_timer.start(); }
    // Whether another batch fits: its time is left, measured from start().
    bool anotherBatch() const { return m_ms > 0 && !m_timer.hasExpired(m_ms); }

private:
    int m_ms = 0;
    QElapsedTimer m_timer;
};

} // namespace velatask
