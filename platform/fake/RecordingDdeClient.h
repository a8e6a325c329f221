#pragma once

#include "platform/DdeClient.h"

#include <QMap>
#include <QStringList>

namespace velatask {

// A DDE client for tests: services that answer are set by the test; every call is recorded as a
// line of text ("open svc|topic", "execute 1|cmd", "close 1").
class RecordingDdeClient : public DdeClient {
public:
    int DdeOpen(const QString& service, const QString& topic) override;
    void DdeExecute(int channel, const QString& command) override;
    void DdeClose(int channel) override;

    // A service that answers conversations on any topic with the given channel (above 0).
    void addService(const QString& service, int channel) { m_services.insert(service, channel); }

    const QStringList& calls() const { return m_calls; }

private:
    QMap<QString, int> m_services;
    QStringList m_calls;
};

} // namespace velatask
