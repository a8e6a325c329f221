#include "platform/qt/ClockSetNotifier.h"

#include <QSocketNotifier>

#ifdef __linux__
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace velatask {

ClockSetNotifier::ClockSetNotifier(QObject* parent) : QObject(parent) {
#ifdef __linux__
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0) {
        return;
    }
    if (!arm()) {
        close(m_fd);
        m_fd = -1;
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &ClockSetNotifier::readable);
#endif
}

ClockSetNotifier::~ClockSetNotifier() {
    m_notifier.reset();
#ifdef __linux__
    if (m_fd >= 0) {
        close(m_fd);
    }
#endif
}

bool ClockSetNotifier::arm() {
#ifdef __linux__
    // An absolute expiry years away: only the cancellation on a setting of the clock matters.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    itimerspec expiry{};
    expiry.it_value.tv_sec = now.tv_sec + 10 * 366 * 86400;
    return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) == 0;
#else
    return false;
#endif
}

void ClockSetNotifier::readable() {
#ifdef __linux__
    // The read fails with ECANCELED after a setting; either way the fd is drained.
    std::uint64_t expirations = 0;
    [[maybe_unused]] const ssize_t n = read(m_fd, &expirations, sizeof expirations);
    arm();
    emit clockSet();
#endif
}

} // namespace velatask
