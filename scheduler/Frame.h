#pragma once

#include <QString>

namespace velatask {

class Tray;

// The longest tray tip: the caption is cut to it.
inline constexpr int kTrayTipLength = 63;

// What the scheduler needs of the main frame: its caption, its iconised state and the tray.
class Frame {
public:
    virtual ~Frame() = default;
    // The application title the caption is built from ("Velatask").
    virtual QString applicationTitle() const = 0;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual bool isIconised() const = 0;
    // Takes the frame out of the iconised state.
    virtual void unIconise() = 0;
    virtual void showNormally() = 0;
    virtual void bringToForeground() = 0;
    virtual Tray& tray() = 0;
    // 1 while the tray icon is installed and the frame hidden.
    virtual bool inTray() const = 0;
    virtual void setInTray(bool inTray) = 0;
};

// Takes the frame out of the tray: removes the icon and shows the frame, or keeps the icon when
// it cannot be removed. Does nothing unless the frame is in the tray.
void RestoreFromTray(Frame& frame);

// Sets the caption, and with `withTip` the tray tip to its first 63 characters, writing each only
// when its text changes: a tick that changes nothing costs the window system nothing. A tip the
// shell refuses (no icon installed) is ignored.
void ShowCaption(Frame& frame, const QString& caption, bool withTip);

} // namespace velatask
