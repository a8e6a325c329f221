#include "PlatformTestSupport.h"

#include "platform/dbus/DBusDdeClient.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QObject>
#include <QVariantList>
#include <QVariantMap>

#include <vector>

namespace velatask {

// A running application as the bus sees it: records every ActivateAction call it receives.
class ApplicationStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    struct Call {
        QString action;
        QVariantList parameters;
        QVariantMap platformData;
    };
    std::vector<Call> calls;

public slots:
    void ActivateAction(const QString& action, const QVariantList& parameters,
                        const QVariantMap& platformData) {
        calls.push_back(Call{action, parameters, platformData});
    }
};

namespace {

const QString kService = QStringLiteral("org.velatask.TestApp");

// The stand-in lives on a connection of its own, as another program would.
class DBusDdeClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected()) {
            GTEST_SKIP() << "no session bus";
        }
        m_connection = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                     QStringLiteral("velatask-stand-in"));
        ASSERT_TRUE(m_connection.isConnected());
        ASSERT_TRUE(m_connection.registerObject(QStringLiteral("/org/velatask/TestApp"), &m_standIn,
                                                QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_connection.registerObject(QStringLiteral("/custom/topic"), &m_custom,
                                                QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_connection.registerService(kService));
    }

    void TearDown() override {
        if (m_connection.isConnected()) {
            m_connection.unregisterService(kService);
            m_connection.unregisterObject(QStringLiteral("/org/velatask/TestApp"));
            m_connection.unregisterObject(QStringLiteral("/custom/topic"));
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("velatask-stand-in"));
    }

    bool waitForCalls(const ApplicationStandIn& target, std::size_t count) {
        return test::waitUntil([&] { return target.calls.size() >= count; });
    }

    QDBusConnection m_connection{QString()};
    ApplicationStandIn m_standIn;
    ApplicationStandIn m_custom;
    DBusDdeClient m_client;
};

TEST_F(DBusDdeClientTest, ExecuteActivatesTheNamedAction) {
    const int channel = m_client.DdeOpen(kService, QString());
    ASSERT_GT(channel, 0);
    m_client.DdeExecute(channel, QStringLiteral("new-window"));
    m_client.DdeExecute(channel, QStringLiteral("open-file /tmp/My Notes.txt   "));
    m_client.DdeClose(channel);
    ASSERT_TRUE(waitForCalls(m_standIn, 2));
    EXPECT_EQ(m_standIn.calls[0].action, QStringLiteral("new-window"));
    EXPECT_TRUE(m_standIn.calls[0].parameters.isEmpty());
    EXPECT_TRUE(m_standIn.calls[0].platformData.isEmpty());
    EXPECT_EQ(m_standIn.calls[1].action, QStringLiteral("open-file"));
    ASSERT_EQ(m_standIn.calls[1].parameters.size(), 1);
    EXPECT_EQ(m_standIn.calls[1].parameters[0].toString(), QStringLiteral("/tmp/My Notes.txt"));
    EXPECT_TRUE(m_custom.calls.empty());
}

TEST_F(DBusDdeClientTest, FieldsPaddedWithBlanksAndAnExplicitTopicAreUsed) {
    const QString service = kService.leftJustified(80, u' ');
    const QString topic = QStringLiteral("/custom/topic").leftJustified(80, u' ');
    const int channel = m_client.DdeOpen(service, topic);
    ASSERT_GT(channel, 0);
    m_client.DdeExecute(channel, QStringLiteral("quit").leftJustified(80, u' '));
    ASSERT_TRUE(waitForCalls(m_custom, 1));
    EXPECT_EQ(m_custom.calls[0].action, QStringLiteral("quit"));
    EXPECT_TRUE(m_custom.calls[0].parameters.isEmpty());
    EXPECT_TRUE(m_standIn.calls.empty());
}

TEST_F(DBusDdeClientTest, MissingPartnerGivesNoChannelAndNoMessage) {
    EXPECT_EQ(m_client.DdeOpen(QStringLiteral("org.velatask.Nobody"), QString()), 0);
    EXPECT_EQ(m_client.DdeOpen(QString(), QString()), 0);
    EXPECT_EQ(m_client.DdeOpen(QStringLiteral("not a bus name"), QString()), 0);
    EXPECT_EQ(m_client.DdeOpen(kService, QStringLiteral("no/leading/slash")), 0);
    m_client.DdeExecute(0, QStringLiteral("new-window"));
    m_client.DdeExecute(12345, QStringLiteral("new-window"));
    m_client.DdeClose(0);

    // A closed channel sends nothing: only the marker on a fresh channel arrives.
    const int closed = m_client.DdeOpen(kService, QString());
    ASSERT_GT(closed, 0);
    m_client.DdeClose(closed);
    m_client.DdeExecute(closed, QStringLiteral("must-not-arrive"));
    const int open = m_client.DdeOpen(kService, QString());
    ASSERT_GT(open, 0);
    EXPECT_NE(open, closed);
    m_client.DdeExecute(open, QStringLiteral("marker"));
    ASSERT_TRUE(waitForCalls(m_standIn, 1));
    ASSERT_EQ(m_standIn.calls.size(), 1u);
    EXPECT_EQ(m_standIn.calls[0].action, QStringLiteral("marker"));
}

TEST(DBusDdeClientPathTest, BlankTopicFollowsTheApplicationIdConvention) {
    EXPECT_EQ(DBusDdeClient::defaultObjectPath(QStringLiteral("org.example.App")),
              QStringLiteral("/org/example/App"));
    EXPECT_EQ(DBusDdeClient::defaultObjectPath(QStringLiteral("org.example.my-app")),
              QStringLiteral("/org/example/my_app"));
}

} // namespace
} // namespace velatask

#include "DBusDdeClientTest.moc"
