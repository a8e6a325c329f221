#include "platform/qt/DetachedSpawner.h"

#include <QFile>
#include <QSocketNotifier>

#ifdef __linux__
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#else
#include <QProcess>
#endif

namespace velatask {

DetachedSpawner::~DetachedSpawner() {
#ifdef __linux__
    // A notifier goes before the descriptor it watches.
    for (const auto& [pid, ended] : m_watched) {
        const int fd = int(ended->socket());
        delete ended;
        close(fd);
    }
#endif
}

qint64 DetachedSpawner::start(const QString& program, const QStringList& arguments,
                              const QString& workingDirectory) {
#ifdef __linux__
    std::vector<qint64> running;
    for (const qint64 pid : m_unwatched) {
        if (waitpid(pid_t(pid), nullptr, WNOHANG) == 0) {
            running.push_back(pid);
        }
    }
    m_unwatched = std::move(running);

    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& a : arguments) {
        words.push_back(a.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray directory = QFile::encodeName(workingDirectory);
    if (!directory.isEmpty()) {
        posix_spawn_file_actions_addchdir_np(&actions, directory.constData());
    }
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0 || pid <= 0) {
        return 0;
    }
    watch(pid);
    return pid;
#else
    qint64 pid = 0;
    return QProcess::startDetached(program, arguments, workingDirectory, &pid) ? pid : 0;
#endif
}

void DetachedSpawner::watch(qint64 pid) {
#ifdef __linux__
    const int fd = int(syscall(SYS_pidfd_open, pid_t(pid), 0));
    if (fd < 0) {
        m_unwatched.push_back(pid); // a kernel without pidfds
        return;
    }
    auto* ended = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    m_watched[pid] = ended;
    connect(ended, &QSocketNotifier::activated, this, [this, pid] { reap(pid); });
#else
    Q_UNUSED(pid);
#endif
}

void DetachedSpawner::reap(qint64 pid) {
#ifdef __linux__
    waitpid(pid_t(pid), nullptr, WNOHANG);
    const auto it = m_watched.find(pid);
    if (it != m_watched.end()) {
        QSocketNotifier* ended = it->second;
        m_watched.erase(it);
        ended->setEnabled(false);
        close(int(ended->socket()));
        ended->deleteLater();
    }
#else
    Q_UNUSED(pid);
#endif
}

} // namespace velatask
