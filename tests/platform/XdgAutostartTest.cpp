#include "platform/qt/XdgAutostart.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(XdgAutostart, ExecLineQuotesWhatTheEntryFormatReserves) {
    const struct {
        QStringList words;
        QString exec;
    } cases[] = {
        {{"/usr/bin/velatask", "--minimized"}, "/usr/bin/velatask --minimized"},
        {{"/opt/my apps/velatask"}, "\"/opt/my apps/velatask\""},
        {{"velatask", "--data-dir", "/home/a/100% \"done\""},
         "velatask --data-dir \"/home/a/100%% \\\\\"done\\\\\"\""},
        {{"velatask", "--data-dir", "/tmp/$HOME`x`\\y"},
         "velatask --data-dir \"/tmp/\\\\$HOME\\\\`x\\\\`\\\\\\\\y\""},
        {{"velatask", ""}, "velatask \"\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XdgAutostart::execLine(c.words), c.exec);
    }
}

TEST(XdgAutostart, EntryIsWrittenAndRemovedInTheAutostartFolder) {
    QTemporaryDir config;
    XdgAutostart autostart({QStringLiteral("/opt/my apps/velatask"), QStringLiteral("--minimized")},
                           config.path());
    EXPECT_EQ(autostart.entryPath(), config.path() + QStringLiteral("/autostart/velatask.desktop"));
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(false)) << "nothing to remove is no failure";

    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.isEnabled());
    const QString entry = readFile(autostart.entryPath());
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=\"/opt/my apps/velatask\" --minimized\n")))
        << entry.toStdString();
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess check;
        check.start(validator, {autostart.entryPath()});
        ASSERT_TRUE(check.waitForFinished(20000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    }

    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(QFile::exists(autostart.entryPath()));
    EXPECT_FALSE(autostart.isEnabled());
}

TEST(XdgAutostart, EntrySwitchedOffByTheDesktopCountsAsOff) {
    QTemporaryDir config;
    XdgAutostart autostart({QStringLiteral("velatask")}, config.path());
    for (const char* line : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
        ASSERT_TRUE(autostart.setEnabled(true));
        QFile file(autostart.entryPath());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(line) + '\n');
        file.close();
        EXPECT_FALSE(autostart.isEnabled()) << line;
    }
}
