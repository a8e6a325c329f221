#pragma once

namespace velatask {

// What a browse asks of the form it calls. The numbers are those the windows pass around.
enum class Request { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4 };

// What the called window answers when it closes.
enum class Response { None = 0, Completed = 1, Cancelled = 2 };

} // namespace velatask
