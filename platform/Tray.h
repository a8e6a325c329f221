#pragma once

#include <QString>

namespace velatask {

// The notification-area icon of the main frame.
class Tray {
public:
    virtual ~Tray() = default;
    // Each returns false when the desktop refuses (no system tray available).
    virtual bool add(const QString& tip) = 0;
    virtual bool modify(const QString& tip) = 0;
    virtual bool remove() = 0;
    // The tip last given to add() or modify().
    virtual QString tip() const = 0;
};

} // namespace velatask
