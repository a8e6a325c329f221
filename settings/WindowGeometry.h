#pragma once

#include <QPoint>
#include <QRect>

namespace velatask {

// The parts of a window that the position memory reads and sets; the Qt adapter wraps a widget,
// tests use a plain object.
class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;
    virtual bool isMaximized() const = 0;
    virtual bool isIconised() const = 0;
    virtual bool isResizable() const = 0;
    // Position and size of the window when it is neither maximised nor iconised.
    virtual QRect normalRect() const = 0;
    virtual void setRect(const QRect& rect) = 0;
    virtual void setPosition(const QPoint& topLeft) = 0;
    virtual void maximise() = 0;
    virtual void unmaximise() = 0;
};

} // namespace velatask
