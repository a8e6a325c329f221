#include "app/ManualLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

void makeManual(const QString& dir) {
    ASSERT_TRUE(QDir().mkpath(dir));
    QFile index(dir + QStringLiteral("/index.html"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
}

} // namespace

TEST(ManualLocation, InstalledManualComesFirstThenTheSourceTree) {
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString installed = root.filePath(QStringLiteral("usr/share/velatask/manual"));
    const QString source = root.filePath(QStringLiteral("src/share"));
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_TRUE(ManualLocation::find(bin, source).isEmpty()) << "nowhere yet";

    makeManual(source + QStringLiteral("/manual"));
    EXPECT_EQ(ManualLocation::find(bin, source), source + QStringLiteral("/manual"));
    EXPECT_TRUE(ManualLocation::find(bin, QString()).isEmpty());

    makeManual(installed);
    EXPECT_EQ(ManualLocation::find(bin, source), installed);
    EXPECT_EQ(ManualLocation::find(bin, QString()), installed);
}
