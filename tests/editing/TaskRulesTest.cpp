#include "core/Date.h"
#include "core/Time.h"
#include "editing/ChosenFile.h"
#include "editing/TaskDateRules.h"
#include "settings/IniFile.h"
#include "store/ScheduleRecord.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velatask;

TEST(ChosenFileTest, ProgramsRunAsChosenAndDocumentsAreStartedByTheDesktop) {
    struct Case {
        const char* chosen;
        bool program;
        const char* path; // before
        const char* command;
        const char* pathAfter;
    };
    const Case cases[] = {
        {"/usr/bin/gedit", true, "", "/usr/bin/gedit", "/usr/bin"},
        {"/home/ann/notes.txt", false, "", "START /home/ann/notes.txt", "/home/ann"},
        {"/home/ann/notes.txt", false, "/tmp", "START /home/ann/notes.txt", "/tmp"},
        {"/usr/share/applications/org.example.Notes.desktop", false, "",
         "START /usr/share/applications/org.example.Notes.desktop", "/usr/share/applications"},
        {"/opt/My App/run", true, "", "\"/opt/My App/run\"", "/opt/My App"},
        {"/home/ann/it's \"it\".txt", false, "", "START \"/home/ann/it's \\\"it\\\".txt\"",
         "/home/ann"},
        {"/setup", true, "", "/setup", "/"},
    };
    for (const Case& c : cases) {
        ScheduleRecord task;
        task.Path = QLatin1String(c.path);
        ChosenFile::applyProgram(task, QString::fromUtf8(c.chosen), c.program);
        EXPECT_EQ(task.Command, QString::fromUtf8(c.command)) << c.chosen;
        EXPECT_EQ(task.Path, QString::fromUtf8(c.pathAfter)) << c.chosen;
    }
    // Longer than the fields: cut, never more.
    ScheduleRecord task;
    const QString deep = QStringLiteral("/d") + QString(100, u'x') + QStringLiteral("/f.txt");
    ChosenFile::applyProgram(task, deep, false);
    EXPECT_EQ(task.Command.size(), ScheduleRecord::kCommandWidth);
    EXPECT_EQ(task.Path.size(), ScheduleRecord::kPathWidth);
    EXPECT_EQ(ChosenFile::programStart(task), QStringLiteral("/d") + QString(72, u'x'));
}

TEST(TaskDateRulesTest, TheWarningSectionSetsTheWarningBeforeTheTask) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("Vela.INI")));
    const std::int32_t day = Date::fromYmd(1999, 1, 11);
    struct Case {
        const char* active;
        const char* days;
        const char* minutes;
        std::int32_t time;
        bool set;
        std::int32_t warnDate;
        std::int32_t warnTime;
    };
    const Case cases[] = {
        {"0", "1", "30", Time::fromHms(9, 0), false, 0, 0},
        {"", "1", "30", Time::fromHms(9, 0), false, 0, 0},
        {"1", "1", "30", Time::fromHms(9, 0), true, day - 1, Time::fromHms(8, 30)},
        {"1", "0", "600", Time::fromHms(9, 0), true, day - 1, Time::fromHms(23, 0)},
        {"1", "0", "2880", Time::fromHms(0, 30), true, day - 2, Time::fromHms(0, 30)},
        {"1", "-5", "x", Time::fromHms(9, 0), true, day, Time::fromHms(9, 0)},
        {"Yes", "1", "0", 0, false, 0, 0},
        {"1", "2", "", 0, true, day - 2, 1},
    };
    for (const Case& c : cases) {
        ini.write(QStringLiteral("Warning"), QStringLiteral("Active"), QLatin1String(c.active));
        ini.write(QStringLiteral("Warning"), QStringLiteral("Date"), QLatin1String(c.days));
        ini.write(QStringLiteral("Warning"), QStringLiteral("Time"), QLatin1String(c.minutes));
        ScheduleRecord task;
        task.Date = day;
        task.Time = c.time;
        const std::string name = std::string(c.active) + "/" + c.days + "/" + c.minutes;
        EXPECT_EQ(TaskDateRules::applyWarningSection(task, ini), c.set) << name;
        EXPECT_EQ(task.AdvanceWarnDate, c.warnDate) << name;
        EXPECT_EQ(task.AdvanceWarnTime, c.warnTime) << name;
    }
}
