#pragma once

#include "platform/Autostart.h"

namespace velatask {

// Start at login as a flag, with a settable failure and a count of writes.
class FakeAutostart : public Autostart {
public:
    bool isEnabled() const override { return enabled; }
    bool setEnabled(bool on) override {
        ++writes;
        if (fail) {
            return false;
        }
        enabled = on;
        return true;
    }

    bool enabled = false;
    bool fail = false;
    int writes = 0;
};

} // namespace velatask
