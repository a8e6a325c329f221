#pragma once

namespace velatask {

// Opens a message window for the text waiting in the context's PendingMessage, as an
// independent window; the scheduler does not wait for it.
class MessageWindowOpener {
public:
    virtual ~MessageWindowOpener() = default;
    virtual void openMessageWindow() = 0;
};

} // namespace velatask
