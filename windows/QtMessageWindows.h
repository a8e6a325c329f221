#pragma once

#include "scheduler/MessageWindowOpener.h"

namespace velatask {

struct AppContext;

// Opens each message as a window of its own, raised above the desktop so that it is seen even
// while the frame sits in the tray.
class QtMessageWindows : public MessageWindowOpener {
public:
    explicit QtMessageWindows(AppContext& ctx) : m_ctx(ctx) {}
    void openMessageWindow() override;

private:
    AppContext& m_ctx;
};

} // namespace velatask
