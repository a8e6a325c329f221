#include "settings/DatabaseSettings.h"
#include "settings/IniFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace velatask;
using Driver = DatabaseSettings::Driver;

namespace {

struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> keys; // written to section "Database"
    Driver driver;
    QString host;
    int port;
    QString name;
    QString user;
    bool usable;
};

} // namespace

TEST(DatabaseSettings, ReadsTheBackendAndRefusesWhatItCannotUse) {
    const Case cases[] = {
        {"no section", {}, Driver::SQLite, {}, 0, {}, {}, true},
        {"empty driver", {{"Driver", ""}}, Driver::SQLite, {}, 0, {}, {}, true},
        // A file station ignores server keys left over from an earlier setup.
        {"sqlite, any case",
         {{"driver", "sqlite"}, {"Host", "db.example"}},
         Driver::SQLite,
         {},
         0,
         {},
         {},
         true},
        {"server, all keys",
         {{"Driver", " PostgreSQL "},
          {"Host", "db.example"},
          {"Port", "6543"},
          {"Name", "team"},
          {"User", "anna"}},
         Driver::PostgreSQL,
         QStringLiteral("db.example"),
         6543,
         QStringLiteral("team"),
         QStringLiteral("anna"),
         true},
        {"server on a socket, defaults",
         {{"DRIVER", "postgresql"}, {"host", "/run/velatask-db"}},
         Driver::PostgreSQL,
         QStringLiteral("/run/velatask-db"),
         0,
         {},
         {},
         true},
        {"unknown driver", {{"Driver", "MySQL"}}, Driver::SQLite, {}, 0, {}, {}, false},
        {"port not a number",
         {{"Driver", "PostgreSQL"}, {"Port", "fast"}},
         Driver::PostgreSQL,
         {},
         0,
         {},
         {},
         false},
        {"port out of range",
         {{"Driver", "PostgreSQL"}, {"Port", "70000"}},
         Driver::PostgreSQL,
         {},
         0,
         {},
         {},
         false},
        {"port zero",
         {{"Driver", "PostgreSQL"}, {"Port", "0"}},
         Driver::PostgreSQL,
         {},
         0,
         {},
         {},
         false},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        IniFile ini(dir.filePath(QStringLiteral("Vela.INI")));
        ini.write(QStringLiteral("Settings"), QStringLiteral("NoTray"), QStringLiteral("1"));
        for (const auto& [key, value] : c.keys) {
            ini.write(QStringLiteral("Database"), QLatin1String(key), QLatin1String(value));
        }
        const DatabaseSettings s = DatabaseSettings::load(ini);
        EXPECT_EQ(s.driver, c.driver) << c.what;
        EXPECT_EQ(s.host, c.host) << c.what;
        EXPECT_EQ(s.port, c.port) << c.what;
        EXPECT_EQ(s.name, c.name) << c.what;
        EXPECT_EQ(s.user, c.user) << c.what;
        EXPECT_EQ(s.problem.isEmpty(), c.usable) << c.what << ": " << s.problem.toStdString();
        if (!c.usable) {
            // The message names the file to mend.
            EXPECT_TRUE(s.problem.contains(ini.path())) << c.what;
        }
    }
}
