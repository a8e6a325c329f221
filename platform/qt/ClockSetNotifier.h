#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace velatask {

// Tells at once when the wall clock is set (by hand, by a time server, or on waking from
// sleep), through a Linux timerfd that the kernel cancels on every such setting. Elsewhere it
// never signals.
class ClockSetNotifier : public QObject {
    Q_OBJECT
public:
    explicit ClockSetNotifier(QObject* parent = nullptr);
    ~ClockSetNotifier() override;

    bool isWatching() const { return m_fd >= 0; }

signals:
    void clockSet();

private:
    bool arm();
    void readable();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace velatask
