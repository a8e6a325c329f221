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
    } else if (frame.tray().add(frame.caption().left(63))) {
        frame.setInTray(true);
    }
}

} // namespace velatask
