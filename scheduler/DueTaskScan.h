#pragma once

namespace velatask {

struct AppContext;

// The first work of every tick: shows the next enabled task in the caption and tray tip, and
// performs it once its moment has passed (prompts, execution, rescheduling, history copy).
void DueTaskScan(AppContext& ctx);

} // namespace velatask
