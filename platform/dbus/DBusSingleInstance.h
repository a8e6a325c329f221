#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace velatask {

// Keeps one scheduler per user and data directory. The first start owns a name on the session
// bus made from its data directory and answers org.freedesktop.Application.Activate there; a
// later start for the same directory finds the name taken, asks its owner to come to the front
// and stops, so that no task is performed twice.
class DBusSingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    enum class Claim {
        Owner,   // this process owns the name and answers
        Running, // another process owns it
        NoBus,   // no session bus: nothing can be told, the program runs on its own
    };

    // `dataDir` is canonical (symbolic links resolved), so that two spellings of one folder meet.
    explicit DBusSingleInstance(const QString& dataDir, QObject* parent = nullptr);
    DBusSingleInstance(const QDBusConnection& connection, const QString& dataDir,
                       QObject* parent = nullptr);
    ~DBusSingleInstance() override;

    Claim claim();
    // Asks the owner of the name to come to the front; false when it did not answer.
    bool activateRunning();

    QString serviceName() const { return m_service; }
    // "org.velatask.Velatask.D" and a digest of the folder's path: valid in a bus name.
    static QString serviceName(const QString& dataDir);

    static constexpr int kCallTimeoutMs = 5000;

public slots:
    // The standard activation call; platform data (a startup notification id) is not needed.
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData);

signals:
    void activated();

private:
    QDBusConnection m_connection;
    QString m_service;
    QString m_path;
    bool m_owner = false;
};

} // namespace velatask
