#pragma once

#include "platform/Clock.h"

namespace velatask {

// The machine's local date and time.
class SystemClock : public Clock {
public:
    std::int32_t today() const override;
    std::int32_t now() const override;
    // Milliseconds since the epoch: the local whole seconds are the same.
    std::int64_t wallMsecs() const override;
    std::int64_t steadyMsecs() const override;
};

} // namespace velatask
