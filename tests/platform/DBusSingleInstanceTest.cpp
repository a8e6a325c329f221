#include "../support/WaitFor.h"

#include "platform/dbus/DBusSingleInstance.h"

#include <gtest/gtest.h>

#include <QDBusConnection>

#include <memory>

using namespace velatask;

namespace {

// Each start stands on a bus connection of its own, as a separate process would.
QDBusConnection newConnection() {
    static int count = 0;
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                         QStringLiteral("velatask-start-%1").arg(++count));
}

class DBusSingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected()) {
            GTEST_SKIP() << "no session bus";
        }
    }
};

} // namespace

TEST(DBusSingleInstanceName, IsAValidBusNamePerFolder) {
    const QString home =
        DBusSingleInstance::serviceName(QStringLiteral("/home/ann/.local/share/velatask"));
    EXPECT_TRUE(home.startsWith(QStringLiteral("org.velatask.Velatask.D")));
    EXPECT_LE(home.size(), 255);
    EXPECT_EQ(home,
              DBusSingleInstance::serviceName(QStringLiteral("/home/ann/.local/share/velatask")));
    EXPECT_NE(home,
              DBusSingleInstance::serviceName(QStringLiteral("/home/bob/.local/share/velatask")));
    EXPECT_NE(home, DBusSingleInstance::serviceName(QStringLiteral("/tmp/ünïcode folder")));
}

TEST_F(DBusSingleInstanceTest, SecondStartForTheSameFolderActivatesTheFirst) {
    const QString folder =
        QStringLiteral("/tmp/velatask-single-%1").arg(QCoreApplication::applicationPid());
    DBusSingleInstance first(newConnection(), folder);
    int activations = 0;
    QObject::connect(&first, &DBusSingleInstance::activated, [&] { ++activations; });
    ASSERT_EQ(first.claim(), DBusSingleInstance::Claim::Owner);

    struct Case {
        QString folder;
        DBusSingleInstance::Claim claim;
        int activationsAfter;
    };
    const Case cases[] = {
        {folder, DBusSingleInstance::Claim::Running, 1},
        {folder, DBusSingleInstance::Claim::Running, 2},
        {folder + QStringLiteral("/other"), DBusSingleInstance::Claim::Owner, 2},
    };
    for (const Case& c : cases) {
        DBusSingleInstance later(newConnection(), c.folder);
        ASSERT_EQ(later.claim(), c.claim) << c.folder.toStdString();
        if (c.claim == DBusSingleInstance::Claim::Running) {
            EXPECT_TRUE(later.activateRunning());
        }
        EXPECT_TRUE(waitFor([&] { return activations == c.activationsAfter; }));
    }
}

TEST_F(DBusSingleInstanceTest, TheNameIsFreeAgainOnceTheFirstHasEnded) {
    const QString folder =
        QStringLiteral("/tmp/velatask-ended-%1").arg(QCoreApplication::applicationPid());
    auto first = std::make_unique<DBusSingleInstance>(newConnection(), folder);
    ASSERT_EQ(first->claim(), DBusSingleInstance::Claim::Owner);
    first.reset();
    DBusSingleInstance again(newConnection(), folder);
    EXPECT_EQ(again.claim(), DBusSingleInstance::Claim::Owner);
}
