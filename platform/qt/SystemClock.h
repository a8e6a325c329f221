#pragma once

#include "platform/Clock.h"

namespace velatask {

// The machine's local date and time.
class SystemClock : public Clock {
public:
    std::int32_t today() const override;
    std::int32_t now() const override;
};

} // namespace velatask
