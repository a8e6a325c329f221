#pragma once

#include <cstdint>

namespace velatask {

// A short wait on the program's own thread that keeps its events (timers, key delivery) flowing.
class Pause {
public:
    virtual ~Pause() = default;
    // Returns once the time of day has reached `targetTime`, or once the day has changed.
    virtual void waitUntil(std::int32_t targetTime) = 0;
};

} // namespace velatask
