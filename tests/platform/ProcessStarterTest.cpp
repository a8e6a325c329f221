#include "PlatformTestSupport.h"

#include "platform/qt/ProcessStarter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace velatask {
namespace {

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeScript(const QString& path, const QByteArray& text, bool executable = true) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable) {
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
}

// Programs started in temporary folders; a stand-in xdg-open sits first on PATH.
class ProcessStarterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_work = QDir(m_dir.path()).absoluteFilePath(QStringLiteral("work dir"));
        m_bin = QDir(m_dir.path()).absoluteFilePath(QStringLiteral("bin"));
        ASSERT_TRUE(QDir().mkpath(m_work));
        ASSERT_TRUE(QDir().mkpath(m_bin));
        m_opened = QDir(m_dir.path()).absoluteFilePath(QStringLiteral("opened.txt"));
        writeScript(m_bin + QStringLiteral("/xdg-open"),
                    "#!/bin/sh\nprintf '%s|%s' \"$*\" \"$PWD\" > '" + m_opened.toUtf8() +
                        ".tmp' && mv '" + m_opened.toUtf8() + ".tmp' '" + m_opened.toUtf8() +
                        "'\n");
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", m_bin.toUtf8() + ":" + m_oldPath);
    }

    void TearDown() override { qputenv("PATH", m_oldPath); }

    QTemporaryDir m_dir;
    QString m_work;
    QString m_bin;
    QString m_opened;
    QByteArray m_oldPath;
    ProcessStarter m_starter;
};

TEST_F(ProcessStarterTest, ProgramRunsInTheStartInDirectory) {
    const QString ownDirectory = QDir::currentPath();
    const StartResult result = m_starter.start(
        QStringLiteral("sh -c 'pwd > where.tmp && mv where.tmp where.txt'"), m_work);
    ASSERT_TRUE(result.started) << result.reason.toStdString();
    EXPECT_GT(result.value, 0u);
    EXPECT_TRUE(result.reason.isEmpty());
    const QString where = m_work + QStringLiteral("/where.txt");
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(where); }));
    EXPECT_EQ(QFileInfo(readAll(where).trimmed()).canonicalFilePath(),
              QFileInfo(m_work).canonicalFilePath());
    EXPECT_EQ(QDir::currentPath(), ownDirectory);
}

TEST_F(ProcessStarterTest, MissingStartInDirectoryStartsInTheProgramsOwnDirectory) {
    const QString ownDirectory = QDir::currentPath();
    const QString marker = QDir(m_dir.path()).absoluteFilePath(QStringLiteral("where.txt"));
    const StartResult result = m_starter.start(
        QStringLiteral("sh -c 'pwd > \"%1.tmp\" && mv \"%1.tmp\" \"%1\"'").arg(marker),
        m_work + QStringLiteral("/nowhere"));
    ASSERT_TRUE(result.started) << result.reason.toStdString();
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(marker); }));
    EXPECT_EQ(QFileInfo(readAll(marker).trimmed()).canonicalFilePath(),
              QFileInfo(ownDirectory).canonicalFilePath());
}

TEST_F(ProcessStarterTest, AProgramThatEndedLeavesNoZombieAndKeepsNoDescriptorOfOurs) {
    QFile ours(m_dir.filePath(QStringLiteral("ours.txt")));
    ASSERT_TRUE(ours.open(QIODevice::WriteOnly));
    const StartResult result = m_starter.start(
        QStringLiteral("sh -c 'ls /proc/self/fd > fds.tmp && mv fds.tmp fds.txt'"), m_work);
    ASSERT_TRUE(result.started) << result.reason.toStdString();
    const QString fds = m_work + QStringLiteral("/fds.txt");
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(fds); }));
    // 0, 1, 2 and the one ls opened to read the folder.
    EXPECT_LE(readAll(fds).split(u'\n', Qt::SkipEmptyParts).size(), 4)
        << readAll(fds).toStdString();
    const QString proc = QStringLiteral("/proc/%1").arg(result.value);
    EXPECT_TRUE(test::waitUntil([&] { return !QFileInfo::exists(proc); }))
        << "still there: " << readAll(proc + QStringLiteral("/stat")).toStdString();
}

TEST_F(ProcessStarterTest, RelativeProgramPathIsTakenFromTheStartInDirectory) {
    writeScript(m_work + QStringLiteral("/run.sh"), "#!/bin/sh\necho \"$1\" > ran.txt\n");
    const StartResult result = m_starter.start(QStringLiteral("./run.sh \"two words\""), m_work);
    ASSERT_TRUE(result.started) << result.reason.toStdString();
    const QString ran = m_work + QStringLiteral("/ran.txt");
    ASSERT_TRUE(test::waitUntil([&] { return readAll(ran).endsWith(u'\n'); }));
    EXPECT_EQ(readAll(ran), QStringLiteral("two words\n"));
}

TEST_F(ProcessStarterTest, StartOpensTheRestWithXdgOpen) {
    const StartResult result = m_starter.start(QStringLiteral("START My Notes.txt"), m_work);
    ASSERT_TRUE(result.started) << result.reason.toStdString();
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(m_opened); }));
    EXPECT_EQ(readAll(m_opened), QStringLiteral("My Notes.txt|") + m_work);
}

TEST_F(ProcessStarterTest, FailuresGiveSmallNumbersAndReasons) {
    const auto expectFailure = [&](const QString& command, const QString& directory,
                                   std::uint32_t error) {
        const StartResult result = m_starter.start(command, directory);
        EXPECT_FALSE(result.started) << command.toStdString();
        EXPECT_EQ(result.value, error) << command.toStdString();
        EXPECT_FALSE(result.reason.isEmpty()) << command.toStdString();
        EXPECT_LT(result.value, 32u);
        return result;
    };
    const StartResult unknown =
        expectFailure(QStringLiteral("velatask-no-such-program --x"), QString(), 2);
    EXPECT_TRUE(unknown.reason.contains(QStringLiteral("velatask-no-such-program")));
    expectFailure(QStringLiteral("./missing.sh"), m_work, 2);
    writeScript(m_work + QStringLiteral("/data.txt"), "plain data", false);
    expectFailure(QStringLiteral("./data.txt"), m_work, 5);
    expectFailure(QStringLiteral("./"), m_work, 5);
    expectFailure(QStringLiteral("sh -c 'unbalanced"), m_work, 11);
    expectFailure(QStringLiteral("   "), m_work, 11);
    expectFailure(QStringLiteral("START"), m_work, 11);
}

// A launcher started with "START " runs its command, not the opener that would show its text.
TEST_F(ProcessStarterTest, StartRunsADesktopEntrysCommand) {
    const QString launched = m_work + QStringLiteral("/launched.txt");
    writeScript(m_work + QStringLiteral("/notes.desktop"),
                "[Desktop Entry]\nType=Application\nName=Notes\n"
                "Exec=sh -c \"echo \\\"$0|$1|$PWD\\\" > launched.tmp && mv launched.tmp "
                "launched.txt\" %U 100%% %c\nPath=" +
                    m_work.toUtf8() + "\n[Desktop Action New]\nExec=false\n",
                false);
    const StartResult result = m_starter.start(QStringLiteral("START notes.desktop"), m_work);
    ASSERT_TRUE(result.started) << result.reason.toStdString();
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(launched); }));
    EXPECT_EQ(readAll(launched), QStringLiteral("100%|Notes|") + m_work + u'\n');
    EXPECT_FALSE(QFile::exists(m_opened));

    writeScript(m_work + QStringLiteral("/site.desktop"),
                "[Desktop Entry]\nType=Link\nURL=https://example.org/\n", false);
    ASSERT_TRUE(m_starter.start(QStringLiteral("START site.desktop"), m_work).started);
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(m_opened); }));
    EXPECT_EQ(readAll(m_opened), QStringLiteral("https://example.org/|") + m_work);

    writeScript(m_work + QStringLiteral("/broken.desktop"), "[Desktop Entry]\nName=x\n", false);
    EXPECT_EQ(m_starter.start(QStringLiteral("START broken.desktop"), m_work).value, 11u);
}

TEST_F(ProcessStarterTest, ResolvesProgramsOnPathAndByExecutePath) {
    EXPECT_EQ(ProcessStarter::resolveProgram(QStringLiteral("xdg-open"), QString()),
              m_bin + QStringLiteral("/xdg-open"));
    writeScript(m_work + QStringLiteral("/tool"), "#!/bin/sh\n");
    EXPECT_EQ(ProcessStarter::resolveProgram(QStringLiteral("./tool"), m_work),
              m_work + QStringLiteral("/tool"));
    EXPECT_TRUE(ProcessStarter::resolveProgram(QStringLiteral("tool"), m_work).isEmpty());
    EXPECT_TRUE(ProcessStarter::resolveProgram(QString(), m_work).isEmpty());
    EXPECT_TRUE(m_starter.isProgram(m_work + QStringLiteral("/tool")));
    writeScript(m_work + QStringLiteral("/letter.txt"), "Dear", false);
    EXPECT_FALSE(m_starter.isProgram(m_work + QStringLiteral("/letter.txt")));
}

} // namespace
} // namespace velatask
