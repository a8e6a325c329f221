#pragma once

namespace velatask {

struct AppContext;

// Once a day, removes the history copies (and, when asked, other disabled tasks) whose date is
// more than "HistoryExpires" days old. Enabled tasks are never touched.
void HistoryExpiry(AppContext& ctx);

} // namespace velatask
