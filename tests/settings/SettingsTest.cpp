#include "settings/Settings.h"
#include "settings/IniFile.h"

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
    EXPECT_EQ(
        QString::fromUtf8(f.readAll()),
        QStringLiteral("[Settings]\nHistoryExpires=30\nRemoveUncompleted=1\nStartUpSchedule=1\n"
                       "StartUpToDo=1\nStartUpActive=0\nStartUpMinimized=0\nFullSchedule=0\n"
                       "HideToolbar=1\nNoTray=1\n"));
    EXPECT_EQ(Settings::load(ini), s);
}

// The inverted keys hold 1 minus the flag, so only a stored 1 turns their option off; a value
// typed by hand (2, -1) reads as on, as 1 - value makes it.
TEST(Settings, InvertedKeysReadAsOneMinusTheStoredValue) {
    const struct {
        const char* stored; // nullptr: no key
        bool on;
    } cases[] = {{nullptr, true}, {"0", true},  {"1", false},
                 {"2", true},     {"-1", true}, {"x", true}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        IniFile ini(dir.filePath(QStringLiteral("Vela.INI")));
        if (c.stored != nullptr) {
            for (const char* key : {"StartUpActive", "StartUpSchedule"}) {
                ini.write(QStringLiteral("Settings"), QLatin1String(key), QLatin1String(c.stored));
            }
        }
        const Settings s = Settings::load(ini);
        EXPECT_EQ(s.schedulerActive, c.on) << (c.stored ? c.stored : "none");
        EXPECT_EQ(s.showScheduleAtStartUp, c.on) << (c.stored ? c.stored : "none");
    }
}
