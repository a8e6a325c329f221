#include "platform/dbus/DBusDdeClient.h"

#include <QDBusMessage>
#include <QRegularExpression>
#include <QVariantList>
#include <QVariantMap>

namespace velatask {

namespace {

QString withoutTrailingBlanks(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    text.truncate(end);
    return text;
}

QString fieldValue(const QString& field) {
    return withoutTrailingBlanks(field.left(DBusDdeClient::kMaxNameLength));
}

bool isValidBusName(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^[A-Za-z_-][A-Za-z0-9_-]*(\\.[A-Za-z_-][A-Za-z0-9_-]*)+$"));
    return name.size() <= 255 && pattern.match(name).hasMatch();
}

bool isValidObjectPath(const QString& path) {
    static const QRegularExpression pattern(QStringLiteral("^/$|^(/[A-Za-z0-9_]+)+$"));
    return pattern.match(path).hasMatch();
}

} // namespace

DBusDdeClient::DBusDdeClient() = default;

DBusDdeClient::DBusDdeClient(const QDBusConnection& connection) : m_connection(connection) {}

QDBusConnection& DBusDdeClient::connection() {
    if (!m_connection) {
        m_connection = QDBusConnection::sessionBus();
    }
    return *m_connection;
}

QString DBusDdeClient::defaultObjectPath(const QString& service) {
    QString path = QStringLiteral("/") + service;
    path.replace(u'.', u'/');
    path.replace(u'-', u'_');
    return path;
}

int DBusDdeClient::DdeOpen(const QString& service, const QString& topic) {
    const QString name = fieldValue(service);
    const QString objectTopic = fieldValue(topic).trimmed();
    // A blank service stood for "any application"; the bus has no broadcast to match it.
    if (!connection().isConnected() || !isValidBusName(name)) {
        return 0;
    }
    const QString path = objectTopic.isEmpty() ? defaultObjectPath(name) : objectTopic;
    if (!isValidObjectPath(path)) {
        return 0;
    }
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << name;
    const QDBusMessage reply = connection().call(ask, QDBus::Block, kBusTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty() ||
        !reply.arguments().constFirst().toBool()) {
        return 0;
    }
    const int channel = m_nextChannel++;
    m_channels[channel] = Channel{name, path};
    return channel;
}

void DBusDdeClient::DdeExecute(int channel, const QString& command) {
    const auto it = m_channels.find(channel);
    if (it == m_channels.end()) {
        return;
    }
    const QString text = withoutTrailingBlanks(command).trimmed();
    const qsizetype blank = text.indexOf(u' ');
    const QString action = blank < 0 ? text : text.left(blank);
    if (action.isEmpty()) {
        return;
    }
    QVariantList parameters;
    if (blank >= 0) {
        parameters << text.mid(blank + 1);
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        it->second.service, it->second.path, QStringLiteral("org.freedesktop.Application"),
        QStringLiteral("ActivateAction"));
    call << action << QVariant::fromValue(parameters) << QVariant::fromValue(QVariantMap());
    call.setAutoStartService(false);
    connection().send(call);
}

void DBusDdeClient::DdeClose(int channel) {
    m_channels.erase(channel);
}

} // namespace velatask
