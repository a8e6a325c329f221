#include "store/FileWriteWatch.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace velatask {
namespace {

void write(const QString& path, const QByteArray& data,
           QIODevice::OpenMode mode = QIODevice::WriteOnly) {
    QFile f(path);
    ASSERT_TRUE(f.open(mode)) << qPrintable(path);
    ASSERT_EQ(f.write(data), data.size());
}

// Two files with some text in a folder of their own.
QStringList twoFiles(const QString& folder) {
    QDir().mkpath(folder);
    const QStringList paths{folder + QStringLiteral("/a"), folder + QStringLiteral("/b")};
    for (const QString& p : paths) {
        write(p, "start\n");
    }
    return paths;
}

// What a look after each happening answers, whether the files are still watched, and what the
// look after that answers.
TEST(FileWriteWatchTest, ReportsWritesOfAnyoneAndLosingTheFiles) {
    struct Case {
        const char* name;
        std::function<void(const QStringList&)> happen;
        bool written;
        bool watching;
    };
    const std::vector<Case> cases{
        {"nothing", [](const QStringList&) {}, false, true},
        {"a read",
         [](const QStringList& p) {
             QFile f(p[0]);
             ASSERT_TRUE(f.open(QIODevice::ReadOnly));
             EXPECT_EQ(f.readAll(), "start\n");
         },
         false, true},
        {"an append to the second file",
         [](const QStringList& p) { write(p[1], "more\n", QIODevice::Append); }, true, true},
        {"a truncation", [](const QStringList& p) { ASSERT_TRUE(QFile::resize(p[0], 0)); }, true,
         true},
        {"a write by another process",
         [](const QStringList& p) {
             QProcess sh;
             sh.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"), QStringLiteral("echo x >> \"$0\""), p[0]});
             ASSERT_TRUE(sh.waitForFinished(30000));
             ASSERT_EQ(sh.exitCode(), 0);
         },
         true, true},
        {"the file replaced by another",
         [](const QStringList& p) {
             const QString other = p[0] + QStringLiteral(".new");
             write(other, "new\n");
             ASSERT_EQ(std::rename(qPrintable(other), qPrintable(p[0])), 0);
         },
         true, false},
        {"the file removed", [](const QStringList& p) { ASSERT_TRUE(QFile::remove(p[1])); }, true,
         false},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int n = 0;
    for (const Case& c : cases) {
        const QStringList paths = twoFiles(dir.filePath(QString::number(++n)));
        FileWriteWatch watch;
        ASSERT_TRUE(watch.watch(paths)) << c.name;
        c.happen(paths);
        EXPECT_EQ(watch.written(), c.written) << c.name;
        EXPECT_EQ(watch.isWatching(), c.watching) << c.name;
        // Quiet files are quiet again; lost ones stay "written" until they are watched anew.
        EXPECT_EQ(watch.written(), !c.watching) << c.name;
    }
}

TEST(FileWriteWatchTest, WatchingAnewForgetsTheOldFilesAndAMissingFileIsNeverQuiet) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList first = twoFiles(dir.filePath(QStringLiteral("first")));
    const QStringList second = twoFiles(dir.filePath(QStringLiteral("second")));
    FileWriteWatch watch;
    ASSERT_TRUE(watch.watch(first));
    write(first[0], "more\n", QIODevice::Append);
    ASSERT_TRUE(watch.watch(second));
    EXPECT_FALSE(watch.written()) << "a write before the new watch, to a file no longer watched";
    write(first[1], "more\n", QIODevice::Append);
    EXPECT_FALSE(watch.written());
    write(second[1], "more\n", QIODevice::Append);
    EXPECT_TRUE(watch.written());

    EXPECT_FALSE(watch.watch({second[0], dir.filePath(QStringLiteral("missing"))}));
    EXPECT_FALSE(watch.isWatching());
    EXPECT_TRUE(watch.written());
    EXPECT_TRUE(watch.written());
}

} // namespace
} // namespace velatask
