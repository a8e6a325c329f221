#pragma once

#include "scripting/ReentryGuard.h"

namespace velatask {

struct AppContext;

// The work of one tick of the frame's one-second timer. A tick that arrives while another is
// still inside a message box or a keystroke pause does nothing.
class SchedulerTick {
public:
    explicit SchedulerTick(AppContext& ctx) : m_ctx(ctx) {}

    void tick();
    bool busy() const { return m_guard.busy(); }

private:
    AppContext& m_ctx;
    ReentryGuard m_guard;
};

} // namespace velatask
