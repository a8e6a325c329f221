#include "ui/ListFormat.h"
#include "ui/DialogUnits.h"

#include <QFont>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

const char* const kSchedule =
    "11L|M*I@s1@47L|M*~Date~@d3@32L|M*~Time~@t3@60L|M~Category~@s20@90L|"
    "M~Description~@s40@60L|M~Task Type~@s20@60L|M~Schedule Type~L(1)@s20@";
const char* const kToDo = "10C(1)|MI23C(1)|M~Priority~C(0)@n2@60L|M~To Do~L(1)@s40@";
const char* const kImportFields = "42L(1)|M~Import Field~S(75)@s50@40L(1)|M~Picture~S(45)@s30@"
                                  "150L(1)~Value~S(300)@s255@";

} // namespace

TEST(ListFormat, ReadsTheWindowsFormatsAndWritesThemBackUnchanged) {
    using J = ListColumn::Justify;
    struct Case {
        const char* format;
        int columns;
        int column;
        int width;
        J justify;
        std::optional<int> indent;
        const char* header;
        const char* picture;
        bool icon;
        bool colours;
    };
    const Case cases[] = {
        {kSchedule, 7, 0, 11, J::Left, {}, "", "@s1", true, true},
        {kSchedule, 7, 2, 32, J::Left, {}, "Time", "@t3", false, true},
        {kSchedule, 7, 6, 60, J::Left, {}, "Schedule Type", "@s20", false, false},
        {kToDo, 3, 0, 10, J::Centre, 1, "", "", true, false},
        {kToDo, 3, 1, 23, J::Centre, 1, "Priority", "@n2", false, false},
        {"60L(1)|M~Category~@s20@", 1, 0, 60, J::Left, 1, "Category", "@s20", false, false},
        {"80L~Category~@s20@", 1, 0, 80, J::Left, {}, "Category", "@s20", false, false},
        {kImportFields, 3, 2, 150, J::Left, 1, "Value", "@s255", false, false},
        {"65L(1)M~Target Field~S@s50@", 1, 0, 65, J::Left, 1, "Target Field", "@s50", false, false},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.format);
        const std::optional<ListFormat> format = ListFormat::parse(text);
        ASSERT_TRUE(format) << c.format;
        ASSERT_EQ(format->size(), c.columns) << c.format;
        const ListColumn& col = format->columns().at(c.column);
        EXPECT_EQ(col.width, c.width) << c.format << " column " << c.column;
        EXPECT_EQ(col.justify, c.justify) << c.format << " column " << c.column;
        EXPECT_EQ(col.indent, c.indent) << c.format << " column " << c.column;
        EXPECT_EQ(col.header, QLatin1String(c.header)) << c.format << " column " << c.column;
        EXPECT_EQ(col.picture, QLatin1String(c.picture)) << c.format << " column " << c.column;
        EXPECT_EQ(col.icon, c.icon) << c.format << " column " << c.column;
        EXPECT_EQ(col.colours, c.colours) << c.format << " column " << c.column;
        EXPECT_EQ(format->toString(), text);
    }
    const ListColumn last = ListFormat::parse(QString::fromLatin1(kSchedule))->columns().last();
    EXPECT_EQ(last.headerJustify, ListColumn::Justify::Left);
    EXPECT_EQ(last.headerIndent, 1);
    const ListColumn value =
        ListFormat::parse(QString::fromLatin1(kImportFields))->columns().last();
    EXPECT_TRUE(value.scrolls);
    EXPECT_EQ(value.scrollWidth, 300);
}

TEST(ListFormat, TextThatIsNoFormatIsRefused) {
    for (const char* text : {"", "L", "60", "60X", "60L~open", "60L@s20", "60L(1", "60LQ",
                             "60L|M~A~@s20@x", "99999L", "60L@@", "60LS(", "60LS(x)"}) {
        EXPECT_FALSE(ListFormat::parse(QString::fromLatin1(text))) << text;
    }
}

TEST(ListFormat, ARememberedLayoutGivesOnlyItsWidthsAndOnlyToTheSameColumns) {
    const ListFormat mine = *ListFormat::parse(QString::fromLatin1(kToDo));
    const ListFormat wider = *ListFormat::parse(
        QStringLiteral("12C(1)|MI30C(1)|M~Priority~C(0)@n2@120L|M~To Do~L(1)@s40@"));
    const ListFormat other = *ListFormat::parse(QStringLiteral("12C|M~Other~@n2@"));
    const ListFormat renamed =
        *ListFormat::parse(QStringLiteral("12C(1)|MI30C(1)|M~Prio~C(0)@n2@120L|M~To Do~L(1)@s40@"));

    const ListFormat taken = mine.withWidthsOf(wider);
    EXPECT_EQ(taken.columns().at(2).width, 120);
    EXPECT_EQ(taken.columns().at(0).justify, ListColumn::Justify::Centre);
    EXPECT_EQ(mine.withWidthsOf(other).toString(), mine.toString());
    EXPECT_EQ(mine.withWidthsOf(renamed).toString(), mine.toString());
}

TEST(DialogUnits, WidthsFollowTheFontAndComeBack) {
    QFont small;
    small.setPixelSize(10);
    QFont large;
    large.setPixelSize(20);
    const DialogUnits s{QFontMetrics(small)};
    const DialogUnits l{QFontMetrics(large)};
    EXPECT_GT(l.toPixelsX(60), s.toPixelsX(60) * 3 / 2);
    EXPECT_GT(l.toPixelsY(8), s.toPixelsY(8));
    for (int units : {0, 10, 47, 90, 320}) {
        EXPECT_NEAR(l.fromPixelsX(l.toPixelsX(units)), units, 1) << units;
    }
}
