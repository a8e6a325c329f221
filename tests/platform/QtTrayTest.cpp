#include "platform/qt/QtTray.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>

namespace velatask {
namespace {

TEST(QtTrayTest, MenuOffersRestoreAndCloseAndReportsTheChoice) {
    QtTray tray{QIcon()};
    const QList<QAction*> actions = tray.menu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&Restore"));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("&Close"));

    QSignalSpy restore(&tray, &QtTray::restoreChosen);
    QSignalSpy close(&tray, &QtTray::closeChosen);
    actions[2]->trigger();
    EXPECT_EQ(close.count(), 1);
    EXPECT_EQ(restore.count(), 0);
    actions[0]->trigger();
    EXPECT_EQ(restore.count(), 1);
}

TEST(QtTrayTest, EveryRequestIsRefusedWithoutATray) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        GTEST_SKIP() << "this desktop has a tray";
    }
    QtTray tray{QIcon()};
    EXPECT_FALSE(tray.add(QStringLiteral("Double-click here to restore")));
    EXPECT_FALSE(tray.isShown());
    EXPECT_FALSE(tray.modify(QStringLiteral("tip")));
    EXPECT_FALSE(tray.remove());
}

} // namespace
} // namespace velatask
