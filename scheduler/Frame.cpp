#include "scheduler/Frame.h"

#include "platform/Tray.h"

namespace velatask {

void RestoreFromTray(Frame& frame) {
    if (!frame.inTray()) {
        return;
    }
    frame.unIconise();
    if (frame.tray().remove()) {
        frame.showNormally();
        frame.bringToForeground();
        frame.setInTray(false);
    } else if (frame.tray().add(frame.caption().left(kTrayTipLength))) {
        frame.setInTray(true);
    }
}

void ShowCaption(Frame& frame, const QString& caption, bool withTip) {
    if (frame.caption() != caption) {
        frame.setCaption(caption);
    }
    if (withTip) {
        const QString tip = caption.left(kTrayTipLength);
        if (frame.tray().tip() != tip) {
            frame.tray().modify(tip);
        }
    }
}

} // namespace velatask
