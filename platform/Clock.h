#pragma once

#include <cstdint>

namespace velatask {

// Today's date and the time of day, as the program's Date and Time numbers. Logic reads time
// only through this interface so that tests can set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int32_t today() const = 0;
    virtual std::int32_t now() const = 0;
};

} // namespace velatask
