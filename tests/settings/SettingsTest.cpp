#include "settings/IniFile.h"
#include "settings/Settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velatask;

TEST(Settings, FreshInstallationDefaults) {
    QTemporaryDir dir;
    const Settings s = Settings::load(IniFile(dir.filePath(QStringLiteral("none.INI"))));
    EXPECT_TRUE(s.showScheduleAtStartUp);
    EXPECT_TRUE(s.schedulerActive);
    EXPECT_EQ(s.historyExpires, 0);
    EXPECT_FALSE(s.noTray);
    EXPECT_FALSE(s.startUpMinimized);
}

TEST(Settings, InvertedKeysAndOrderOfWriting) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("Vela.INI")));
    ini.write(QStringLiteral("Settings"), QStringLiteral("StartUpActive"), QStringLiteral("1"));
    ini.write(QStringLiteral("Settings"), QStringLiteral("StartUpSchedule"), QStringLiteral("1"));
    Settings s = Settings::load(ini);
    EXPECT_FALSE(s.schedulerActive);
    EXPECT_FALSE(s.showScheduleAtStartUp);

    QFile::remove(ini.path());
    s.schedulerActive = true;
    s.showScheduleAtStartUp = false;
    s.historyExpires = 30;
    s.removeUncompleted = true;
    s.startUpToDo = true;
    s.hideToolbar = true;
    s.noTray = true;
    s.save(ini);
    QFile f(ini.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              QStringLiteral("[Settings]\nHistoryExpires=30\nRemoveUncompleted=1\nStartUpSchedule=1\n"
                             "StartUpToDo=1\nStartUpActive=0\nStartUpMinimized=0\nFullSchedule=0\n"
                             "HideToolbar=1\nNoTray=1\n"));
    EXPECT_EQ(Settings::load(ini), s);
}
