#pragma once

#include <cstdint>

namespace velatask {

struct AppContext;

// Appends the steps of a task's script, in sequence order, to the script queue, each due half a
// second from now (a "Wait" its seconds from now). The start result travels with every step.
void QueueScript(AppContext& ctx, std::int32_t taskId, std::uint32_t startResult);

} // namespace velatask
