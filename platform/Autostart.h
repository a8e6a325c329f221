#pragma once

namespace velatask {

// Whether the program is started when the user logs in to the desktop.
class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool isEnabled() const = 0;
    // False when the desktop's autostart entry could not be written or removed.
    virtual bool setEnabled(bool enabled) = 0;
};

} // namespace velatask
