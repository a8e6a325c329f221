#include "PlatformTestSupport.h"

#include "platform/qt/QtTray.h"

#include <gtest/gtest.h>

#include <QPixmap>
#include <QSystemTrayIcon>

namespace velatask {
namespace {

QIcon redIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

TEST(QtTrayX11Test, IconIsAddedModifiedAndDeletedInTheDesktopsTray) {
    if (!test::haveDisplay()) {
        GTEST_SKIP() << "no X display";
    }
    ASSERT_TRUE(test::waitUntil([] { return QSystemTrayIcon::isSystemTrayAvailable(); }))
        << "the window manager offers no tray";
    QtTray tray(redIcon());
    const QString longTip = QStringLiteral("Velatask - ") + QString(80, u'x');
    ASSERT_TRUE(tray.add(longTip));
    EXPECT_TRUE(tray.isShown());
    EXPECT_EQ(tray.tip(), longTip.left(63));
    EXPECT_TRUE(tray.modify(QStringLiteral("Velatask - Backup Jan 5, 1999 9:05AM")));
    EXPECT_EQ(tray.tip(), QStringLiteral("Velatask - Backup Jan 5, 1999 9:05AM"));
    EXPECT_TRUE(tray.remove());
    EXPECT_FALSE(tray.isShown());
    EXPECT_FALSE(tray.modify(QStringLiteral("while removed")));
    EXPECT_FALSE(tray.remove());
    // The icon can come back after a restore.
    EXPECT_TRUE(tray.add(QStringLiteral("Double-click here to restore")));
    EXPECT_TRUE(tray.remove());
}

} // namespace
} // namespace velatask
