#include "settings/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

QString readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return QString();
    }
    return QString::fromUtf8(f.readAll());
}

void writeAll(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Text));
    f.write(text.toUtf8());
}

} // namespace

TEST(IniFile, MissingFileHasNoKeysAndWritingCreatesIt) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("sub/Vela.INI")));
    EXPECT_EQ(ini.read(QStringLiteral("Settings"), QStringLiteral("NoTray")), QString());
    EXPECT_EQ(ini.readNumber(QStringLiteral("Settings"), QStringLiteral("NoTray")), 0);

    ini.write(QStringLiteral("Main"), QStringLiteral("Maximize"), QStringLiteral("Yes"));
    EXPECT_EQ(readAll(ini.path()), QStringLiteral("[Main]\nMaximize=Yes\n"));
}

TEST(IniFile, NamesIgnoreCaseAndValuesAreNumbersOrZero) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vela.INI"));
    writeAll(path, QStringLiteral("[settings]\nHISTORYEXPIRES = 30\nNoTray=\nFullSchedule=yes\n"
                                  "Width=12abc\nNeg=-7\n"));
    const IniFile ini(path);
    EXPECT_EQ(ini.readNumber(QStringLiteral("Settings"), QStringLiteral("HistoryExpires")), 30);
    EXPECT_EQ(ini.readNumber(QStringLiteral("SETTINGS"), QStringLiteral("notray")), 0);
    EXPECT_EQ(ini.readNumber(QStringLiteral("Settings"), QStringLiteral("FullSchedule")), 0);
    EXPECT_EQ(ini.readNumber(QStringLiteral("Settings"), QStringLiteral("Width")), 0);
    EXPECT_EQ(ini.readNumber(QStringLiteral("Settings"), QStringLiteral("Neg")), -7);
    EXPECT_EQ(ini.read(QStringLiteral("Settings"), QStringLiteral("FullSchedule")),
              QStringLiteral("yes"));
}

TEST(IniFile, WritingKeepsEverythingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vela.INI"));
    writeAll(path, QStringLiteral("; my settings\n[Main]\nXPosit=10\n; keep me\nYPosit=20\n\n"
                                  "[Other]\nKey=Value\n"));
    IniFile ini(path);
    ini.write(QStringLiteral("main"), QStringLiteral("xposit"), QStringLiteral("11"));
    ini.write(QStringLiteral("Main"), QStringLiteral("Width"), QStringLiteral("300"));
    ini.write(QStringLiteral("New"), QStringLiteral("A"), QString());
    EXPECT_EQ(readAll(path), QStringLiteral("; my settings\n[Main]\nxposit=11\n; keep me\n"
                                            "YPosit=20\nWidth=300\n\n[Other]\nKey=Value\n\n"
                                            "[New]\nA=\n"));
    EXPECT_TRUE(ini.contains(QStringLiteral("New"), QStringLiteral("a")));
    EXPECT_EQ(ini.read(QStringLiteral("Other"), QStringLiteral("Key")), QStringLiteral("Value"));
}

TEST(IniFile, LongValuesAreCutTo1023Characters) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("Vela.INI")));
    ini.write(QStringLiteral("ViewToDo"), QStringLiteral("?Browse:1"), QString(2000, QLatin1Char('x')));
    EXPECT_EQ(ini.read(QStringLiteral("ViewToDo"), QStringLiteral("?Browse:1")).size(), 1023);
}

TEST(IniFile, UnreadableOrUnwritableFilesAreSilent) {
    QTemporaryDir dir;
    // A directory where the file should be: nothing can be read or written, nothing is thrown.
    const QString path = dir.filePath(QStringLiteral("Vela.INI"));
    ASSERT_TRUE(QDir().mkpath(path));
    IniFile ini(path);
    ini.write(QStringLiteral("Settings"), QStringLiteral("NoTray"), QStringLiteral("1"));
    EXPECT_EQ(ini.readNumber(QStringLiteral("Settings"), QStringLiteral("NoTray")), 0);
}

TEST(IniFile, DefaultPathFollowsXdgConfigHome) {
    qputenv("XDG_CONFIG_HOME", "/tmp/velatask-config-test");
    EXPECT_EQ(IniFile::defaultPath(), QStringLiteral("/tmp/velatask-config-test/velatask/Vela.INI"));
    qunsetenv("XDG_CONFIG_HOME");
}
