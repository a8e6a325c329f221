#pragma once

#include <functional>

namespace velatask {

// Runs work later on the program's own thread, when its event loop is next free. Key playback
// uses it so that keys go out while the thread processes events, as the desktop expects.
class DeliveryScheduler {
public:
    virtual ~DeliveryScheduler() = default;
    virtual void post(std::function<void()> work) = 0;
};

} // namespace velatask
