#include "platform/dbus/DBusSingleInstance.h"

#include "platform/dbus/DBusDdeClient.h"

#include <QCryptographicHash>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace velatask {

DBusSingleInstance::DBusSingleInstance(const QString& dataDir, QObject* parent)
    : DBusSingleInstance(QDBusConnection::sessionBus(), dataDir, parent) {}

DBusSingleInstance::DBusSingleInstance(const QDBusConnection& connection, const QString& dataDir,
                                       QObject* parent)
    : QObject(parent), m_connection(connection), m_service(serviceName(dataDir)),
      m_path(DBusDdeClient::defaultObjectPath(m_service)) {}

DBusSingleInstance::~DBusSingleInstance() {
    if (m_owner) {
        m_connection.unregisterObject(m_path);
        m_connection.unregisterService(m_service);
    }
}

QString DBusSingleInstance::serviceName(const QString& dataDir) {
    const QByteArray digest =
        QCryptographicHash::hash(dataDir.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStringLiteral("org.velatask.Velatask.D") + QString::fromLatin1(digest);
}

DBusSingleInstance::Claim DBusSingleInstance::claim() {
    if (!m_connection.isConnected() || m_connection.interface() == nullptr) {
        return Claim::NoBus;
    }
    // The object answers before the name is taken, so a start that finds the name can always
    // be answered.
    if (!m_connection.registerObject(m_path, this, QDBusConnection::ExportScriptableSlots)) {
        return Claim::NoBus;
    }
    // The bus hands the name to one process only: two starts at the same moment cannot both win.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_connection.interface()->registerService(m_service,
                                                  QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_owner = true;
        return Claim::Owner;
    }
    m_connection.unregisterObject(m_path);
    return reply.isValid() ? Claim::Running : Claim::NoBus;
}

bool DBusSingleInstance::activateRunning() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        m_service, m_path, QStringLiteral("org.freedesktop.Application"),
        QStringLiteral("Activate"));
    call << QVariantMap();
    // Events keep flowing while it waits, so the answer may come from this very thread.
    return m_connection.call(call, QDBus::BlockWithGui, kCallTimeoutMs).type() ==
           QDBusMessage::ReplyMessage;
}

void DBusSingleInstance::Activate(const QVariantMap& platformData) {
    Q_UNUSED(platformData);
    emit activated();
}

} // namespace velatask
