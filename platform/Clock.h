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

    // The wall clock in milliseconds from a fixed origin, for timing work to the whole second:
    // its whole seconds are those of now(), and it jumps when the clock is set. By default it is
    // today() and now() taken together, to the hundredth.
    virtual std::int64_t wallMsecs() const;
    // Milliseconds on a clock that is never set and stands still while the machine sleeps; only
    // the difference of two readings means anything. Comparing it with wallMsecs() shows when
    // the wall clock was set. By default it is wallMsecs(), which shows no setting at all.
    virtual std::int64_t steadyMsecs() const { return wallMsecs(); }

    static constexpr std::int64_t kDayMsecs = 86400000;
};

} // namespace velatask
