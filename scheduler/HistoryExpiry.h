#pragma once

namespace velatask {

struct AppContext;

// Once a day, removes the history copies (and, when asked, other disabled tasks, with their
// script steps) whose date is more than "HistoryExpires" days old. Enabled tasks are never
// touched. Each tick removes one slice in a transaction of its own, until a slice finds the
// rest: a large backlog is spread over the following ticks instead of stalling one.
void HistoryExpiry(AppContext& ctx);

} // namespace velatask
