#pragma once

#include "platform/DdeClient.h"

#include <QDBusConnection>
#include <QString>

#include <map>
#include <optional>

namespace velatask {

// Commands to running applications over the session bus, through the standard
// org.freedesktop.Application interface. The service is a well-known bus name, the topic the
// object path (blank: derived from the name as GApplication does). A command is an action name,
// optionally followed by a blank and one string parameter.
//
// Only opening asks the bus anything (does the name have an owner?), with a timeout of
// kBusTimeoutMs; the command itself is sent without waiting for a reply, so a hung or slow
// partner never holds up the scheduler. Nothing is ever reported to the user.
class DBusDdeClient : public DdeClient {
public:
    // Uses the session bus unless given another connection; the session bus is connected on the
    // first opening, not at start-up.
    DBusDdeClient();
    explicit DBusDdeClient(const QDBusConnection& connection);

    int DdeOpen(const QString& service, const QString& topic) override;
    void DdeExecute(int channel, const QString& command) override;
    void DdeClose(int channel) override;

    // The object path a blank topic stands for: "org.example.App" -> "/org/example/App".
    static QString defaultObjectPath(const QString& service);

    static constexpr int kBusTimeoutMs = 1000;
    // Names and topics longer than this are cut, as the fields' terminating zero did.
    static constexpr int kMaxNameLength = 79;

private:
    struct Channel {
        QString service;
        QString path;
    };

    QDBusConnection& connection();

    std::optional<QDBusConnection> m_connection;
    std::map<int, Channel> m_channels;
    int m_nextChannel = 1;
};

} // namespace velatask
