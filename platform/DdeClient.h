#pragma once

#include <QString>

namespace velatask {

// Commands to running applications (the desktop's application bus stands in for DDE).
class DdeClient {
public:
    virtual ~DdeClient() = default;
    // Opens a conversation; returns a channel number above 0, or 0 when no application answers.
    virtual int DdeOpen(const QString& service, const QString& topic) = 0;
    virtual void DdeExecute(int channel, const QString& command) = 0;
    virtual void DdeClose(int channel) = 0;
};

} // namespace velatask
