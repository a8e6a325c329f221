#include "settings/IniFile.h"
#include "settings/WindowGeometry.h"
#include "settings/WindowPosition.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

// A window without a display that records what the position memory does to it.
class FakeWindow : public WindowGeometry {
public:
    bool maximised = false;
    bool iconised = false;
    bool resizable = true;
    QRect rect{100, 50, 400, 300};
    QStringList calls;

    bool isMaximized() const override { return maximised; }
    bool isIconised() const override { return iconised; }
    bool isResizable() const override { return resizable; }
    QRect normalRect() const override { return rect; }
    void setRect(const QRect& r) override {
        rect = r;
        calls << QStringLiteral("setRect");
    }
    void setPosition(const QPoint& p) override {
        rect.moveTopLeft(p);
        calls << QStringLiteral("setPosition");
    }
    void maximise() override {
        maximised = true;
        calls << QStringLiteral("maximise");
    }
    void unmaximise() override {
        maximised = false;
        calls << QStringLiteral("unmaximise");
    }
};

class WindowPositionTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IniFile ini{dir.filePath(QStringLiteral("Vela.INI"))};
    const QString section = QStringLiteral("Calendar");

    void store(const char* key, const char* value) {
        ini.write(section, QLatin1String(key), QLatin1String(value));
    }
};

} // namespace

TEST_F(WindowPositionTest, SaveThenRestoreGivesTheSameWindow) {
    FakeWindow closing;
    closing.maximised = true;
    closing.rect = QRect(120, 80, 500, 350);
    SaveWindowPosition(ini, section, closing);
    EXPECT_EQ(ini.read(section, QStringLiteral("Maximize")), QStringLiteral("Yes"));
    EXPECT_EQ(ini.readNumber(section, QStringLiteral("Width")), 500);

    FakeWindow opening;
    RestoreWindowPosition(ini, section, opening);
    EXPECT_EQ(opening.rect, QRect(120, 80, 500, 350));
    EXPECT_TRUE(opening.maximised);
}

TEST_F(WindowPositionTest, IconisedWindowLeavesItsSectionUnchanged) {
    store("XPosit", "7");
    FakeWindow w;
    w.iconised = true;
    SaveWindowPosition(ini, section, w);
    EXPECT_EQ(ini.readNumber(section, QStringLiteral("XPosit")), 7);
    EXPECT_FALSE(ini.contains(section, QStringLiteral("Maximize")));
}

TEST_F(WindowPositionTest, ZeroPositionsKeepTheDefinedPlace) {
    FakeWindow w;
    RestoreWindowPosition(ini, section, w); // nothing saved
    EXPECT_TRUE(w.calls.isEmpty());

    store("XPosit", "0");
    store("YPosit", "40");
    store("Maximize", "Yes");
    RestoreWindowPosition(ini, section, w);
    EXPECT_TRUE(w.calls.isEmpty()) << "XPosit 0 stops before Maximize is read";

    store("XPosit", "30");
    store("YPosit", "0");
    RestoreWindowPosition(ini, section, w);
    EXPECT_EQ(w.calls, QStringList{QStringLiteral("maximise")});
    EXPECT_EQ(w.rect, QRect(100, 50, 400, 300));
}

TEST_F(WindowPositionTest, SizeNeedsWidthAndHeightAndAResizableWindow) {
    store("XPosit", "30");
    store("YPosit", "40");
    store("Width", "0");
    store("Height", "200");
    FakeWindow w;
    RestoreWindowPosition(ini, section, w);
    EXPECT_EQ(w.rect, QRect(100, 50, 400, 300));
    EXPECT_FALSE(w.maximised);

    FakeWindow fixed;
    fixed.resizable = false;
    RestoreWindowPosition(ini, section, fixed);
    EXPECT_EQ(fixed.rect, QRect(30, 40, 400, 300));

    FakeWindow maximised;
    maximised.maximised = true;
    store("Width", "250");
    store("Maximize", "No");
    RestoreWindowPosition(ini, section, maximised);
    EXPECT_EQ(maximised.calls, QStringList{QStringLiteral("unmaximise")});
}

TEST_F(WindowPositionTest, ResetEmptiesEightKeysOfEighteenSectionsInOrder) {
    store("XPosit", "30");
    ini.write(QStringLiteral("ImportSchedule"), QStringLiteral("XPosit"), QStringLiteral("5"));
    ResetSavedWindowSettings(ini);
    EXPECT_EQ(ini.read(section, QStringLiteral("XPosit")), QString());
    EXPECT_TRUE(ini.contains(section, QStringLiteral("WindowScaled")));
    EXPECT_EQ(ini.readNumber(QStringLiteral("ImportSchedule"), QStringLiteral("XPosit")), 5);

    QFile f(ini.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text.count(QStringLiteral("=\n")), 18 * 8);
    EXPECT_LT(text.indexOf(QStringLiteral("[BrowseSchedule]")), text.indexOf(QStringLiteral("[Main]")));
    EXPECT_LT(text.indexOf(QStringLiteral("[SystemInfo]")),
              text.indexOf(QStringLiteral("[SpecialEventWizard]")));
    const qsizetype main = text.indexOf(QStringLiteral("[Main]"));
    EXPECT_EQ(text.mid(main, 80).section(QLatin1Char('\n'), 1, 3),
              QStringLiteral("Maximize=\nXPosit=\nYPosit="));
}
