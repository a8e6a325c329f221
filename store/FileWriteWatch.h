#pragma once

#include <QStringList>

#include <vector>

namespace velatask {

// Tells whether anyone may have written to a few files since the last look, without opening or
// reading them: the kernel reports every write to a watched file (inotify), whichever process
// makes it. Where files cannot be watched, every look answers "written", so a caller that reads
// the files on that answer stays right, only slower.
class FileWriteWatch {
public:
    FileWriteWatch();
    ~FileWriteWatch();
    FileWriteWatch(const FileWriteWatch&) = delete;
    FileWriteWatch& operator=(const FileWriteWatch&) = delete;

    // Watches `paths` from now on instead of the earlier ones. False when one of them cannot be
    // watched (missing, no kernel support); written() then answers true until the next watch().
    bool watch(const QStringList& paths);
    const QStringList& paths() const { return m_paths; }
    // Whether it can tell quiet files from written ones right now.
    bool isWatching() const { return m_watching; }

    // True when a watched file may have been written (or removed, or renamed) since the last
    // call or the watch() before it. Each call starts a new period.
    bool written();

private:
    void unwatch();

    int m_fd = -1;
    std::vector<int> m_watches;
    QStringList m_paths;
    bool m_watching = false;
};

} // namespace velatask
