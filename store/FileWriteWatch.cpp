#include "store/FileWriteWatch.h"

#include <QFile>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#endif

namespace velatask {

#ifdef __linux__

namespace {
// A write or truncation; a change of the link count (the file removed, or replaced by another
// renamed over it); the file itself renamed or gone.
constexpr std::uint32_t kEvents = IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// What ends a watch's use: the file may no longer be the one at its path, or events were lost.
constexpr std::uint32_t kLost =
    IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW;
} // namespace

FileWriteWatch::FileWriteWatch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FileWriteWatch::~FileWriteWatch() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

void FileWriteWatch::unwatch() {
    for (const int w : m_watches) {
        inotify_rm_watch(m_fd, w);
    }
    m_watches.clear();
    m_watching = false;
    // Events of the old watches (and their removal) must not count against the new ones.
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n <= 0 && !(n < 0 && errno == EINTR)) {
            break;
        }
    }
}

bool FileWriteWatch::watch(const QStringList& paths) {
    if (m_fd >= 0) {
        unwatch();
    }
    m_paths = paths;
    if (m_fd < 0) {
        return false;
    }
    for (const QString& path : paths) {
        const int w = inotify_add_watch(m_fd, QFile::encodeName(path).constData(), kEvents);
        if (w < 0) {
            unwatch();
            return false;
        }
        m_watches.push_back(w);
    }
    m_watching = true;
    return true;
}

bool FileWriteWatch::written() {
    if (!m_watching) {
        return true;
    }
    bool any = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n < 0 && errno != EAGAIN) {
                m_watching = false; // the kernel's answer is lost: assume the worst from now on
                return true;
            }
            return any;
        }
        any = true;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & kLost) {
                m_watching = false;
            }
            at += ssize_t(sizeof(inotify_event)) + event->len;
        }
    }
}

#else

FileWriteWatch::FileWriteWatch() = default;
FileWriteWatch::~FileWriteWatch() = default;

void FileWriteWatch::unwatch() {}

bool FileWriteWatch::watch(const QStringList& paths) {
    m_paths = paths;
    return false;
}

bool FileWriteWatch::written() {
    return true;
}

#endif

} // namespace velatask
