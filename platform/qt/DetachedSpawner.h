#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

class QSocketNotifier;

namespace velatask {

// Starts programs in a session of their own without copying this process first (posix_spawn),
// with the signal state of a fresh process and no descriptor but the standard three. A copy of
// a large program costs tens of milliseconds on a busy machine, which a task due on the second
// would wait for. Each child is reaped when it ends (the kernel reports it through a pidfd), so
// none lingers as a zombie.
class DetachedSpawner : public QObject {
    Q_OBJECT
public:
    explicit DetachedSpawner(QObject* parent = nullptr) : QObject(parent) {}
    ~DetachedSpawner() override;

    // The new process id, or 0 when the system refused to start the program.
    qint64 start(const QString& program, const QStringList& arguments,
                 const QString& workingDirectory);

private:
    void watch(qint64 pid);
    void reap(qint64 pid);

    // Children watched through a pidfd, and those reaped on the next start instead.
    std::map<qint64, QSocketNotifier*> m_watched;
    std::vector<qint64> m_unwatched;
};

} // namespace velatask
