#include "../store/ServerDatabase.h"

#include "app/StoreChoice.h"
#include "platform/fake/ScriptedUi.h"
#include "settings/IniFile.h"
#include "store/Store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace velatask;

namespace {

// "%host" and "%name" in a value stand for the private server's socket folder and a database
// made on it for the test; "%nowhere" for a folder where no server listens.
struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> keys;
    bool needsServer;
    bool onServer;
    const char* problemContains; // nullptr: no problem
};

} // namespace

TEST(StoreChoice, ASectionThatCannotBeUsedStopsTheStartInsteadOfOpeningTheFile) {
    const Case cases[] = {
        {"no section", {}, false, false, nullptr},
        {"the file named", {{"Driver", "SQLite"}}, false, false, nullptr},
        {"an unknown driver", {{"Driver", "Oracle"}}, false, false, "Unknown database driver"},
        {"no server on the socket folder",
         {{"Driver", "PostgreSQL"}, {"Host", "%nowhere"}, {"Name", "team"}},
         false,
         true,
         "cannot use the database server"},
        {"a database the server lacks",
         {{"Driver", "PostgreSQL"}, {"Host", "%host"}, {"Name", "nosuch"}, {"User", "postgres"}},
         true,
         true,
         "nosuch"},
        {"a user the server refuses",
         {{"Driver", "PostgreSQL"}, {"Host", "%host"}, {"Name", "%name"}, {"User", "stranger"}},
         true,
         true,
         "stranger"},
        {"the server named",
         {{"Driver", "PostgreSQL"}, {"Host", "%host"}, {"Name", "%name"}, {"User", "postgres"}},
         true,
         true,
         nullptr},
    };
    const bool haveServer = !ServerDatabase::host().isEmpty();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsServer && !haveServer) {
            continue; // no private server (VELATASK_TEST_PGHOST unset)
        }
        std::unique_ptr<ServerDatabase> database;
        if (c.needsServer) {
            database = std::make_unique<ServerDatabase>();
            ASSERT_EQ(database->problem(), QString());
        }
        QTemporaryDir dir;
        QTemporaryDir nowhere;
        IniFile ini(dir.filePath(QStringLiteral("Vela.INI")));
        for (const auto& [key, value] : c.keys) {
            QString text = QLatin1String(value);
            text.replace(QStringLiteral("%nowhere"), nowhere.path());
            if (database) {
                text.replace(QStringLiteral("%host"), ServerDatabase::host())
                    .replace(QStringLiteral("%name"), database->address().name);
            }
            ini.write(QStringLiteral("Database"), QLatin1String(key), text);
        }

        const StoreChoice choice = StoreChoice::read(ini);
        EXPECT_EQ(choice.onServer(), c.onServer);
        if (c.problemContains == nullptr) {
            EXPECT_EQ(choice.problem(), QString());
            // The store made lives where the section says.
            ScriptedUi ui;
            const std::unique_ptr<Store> store = choice.makeStore(dir.path(), ui);
            ASSERT_EQ(store->SCH.open(), 0) << store->SCH.error().driverText.toStdString();
            EXPECT_EQ(QFileInfo::exists(dir.filePath(QStringLiteral("SM"))), !c.onServer);
            continue;
        }
        EXPECT_TRUE(choice.problem().contains(QLatin1String(c.problemContains)))
            << choice.problem().toStdString();
        // The message names the file to mend, in lines that a message box can wrap.
        EXPECT_TRUE(choice.problem().contains(ini.path())) << choice.problem().toStdString();
        EXPECT_FALSE(choice.problem().contains(QLatin1Char('\t')))
            << choice.problem().toStdString();
        ScriptedUi ui;
        choice.report(ui);
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].text, choice.problem());
    }
}
