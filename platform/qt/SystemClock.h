#pragma once

#include "platform/Clock.h"

#include <atomic>
#include <limits>

namespace velatask {

// The machine's local date and time.
class SystemClock : public Clock {
public:
    // How often the local time zone is looked up again, so that a change of zone shows.
    static constexpr std::int64_t kZoneRereadMs = 60000;

    std::int32_t today() const override;
    std::int32_t now() const override;
    // Milliseconds since the epoch: the local whole seconds are the same.
    std::int64_t wallMsecs() const override;
    std::int64_t steadyMsecs() const override;

private:
    struct Reading {
        std::int32_t date;
        std::int32_t time;
    };
    // The current local date and time. The zone is not looked up at every reading: that costs
    // a lookup of the zone file each time, which an idle program reading the clock every second
    // should not pay.
    Reading read() const;

    // Steady milliseconds of the last zone lookup (the lowest value: none yet).
    mutable std::atomic<std::int64_t> m_zoneReadAt{std::numeric_limits<std::int64_t>::min()};
};

} // namespace velatask
