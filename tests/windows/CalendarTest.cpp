#include "core/Date.h"
#include "core/Time.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/ScriptedUi.h"
#include "settings/IniFile.h"
#include "store/ScheduleRecord.h"
#include "windows/CalendarDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

class CalendarTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IniFile ini{dir.filePath(QStringLiteral("Vela.INI"))};
    FakeClock clock{Date::fromYmd(1999, 1, 6), Time::fromHms(12, 0)};
    ScriptedUi ui;
    ScheduleRecord task; // a cleared buffer: every day qualifies

    std::unique_ptr<CalendarDialog> open(std::int32_t date, const char* mode = "") {
        return std::make_unique<CalendarDialog>(ini, clock, ui, task, date,
                                                QString::fromLatin1(mode), QString());
    }
    static QStringList texts(const CalendarDialog& c) {
        QStringList t;
        for (int k = 0; k < 42; ++k) {
            t << (c.dayButton(k)->isVisibleTo(&c) ? c.dayButton(k)->text() : QStringLiteral("-"));
        }
        return t;
    }
    static int visibleCount(const CalendarDialog& c) {
        int n = 0;
        for (int k = 0; k < 42; ++k) {
            n += c.dayButton(k)->isVisibleTo(&c) ? 1 : 0;
        }
        return n;
    }
    static void type(QSpinBox* field, const char* text) {
        auto* edit = field->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

} // namespace

TEST_F(CalendarTest, OpensOnTodayWhenGivenNoDateAndCloseReturnsIt) {
    auto c = open(0);
    EXPECT_EQ(c->windowTitle(), QStringLiteral("Select Date"));
    EXPECT_EQ(c->displayedMonth(), 1);
    EXPECT_EQ(c->displayedYear(), 1999);
    // 1 January 1999 is a Friday: day 6 sits on button 5 + 5.
    EXPECT_EQ(c->focusWidget(), c->dayButton(10));
    EXPECT_EQ(c->dayButton(10)->text(), QStringLiteral("6"));
    c->reject();
    EXPECT_EQ(c->pickedDate(), 0);
}

TEST_F(CalendarTest, SixRowsAndFourRows) {
    auto c = open(Date::fromYmd(2000, 1, 15), "None"); // 1 January 2000: a Saturday, 31 days
    EXPECT_EQ(c->dayButton(6)->text(), QStringLiteral("1"));
    EXPECT_FALSE(c->dayButton(5)->isVisibleTo(c.get()));
    EXPECT_EQ(c->dayButton(36)->text(), QStringLiteral("31"));
    EXPECT_FALSE(c->dayButton(37)->isVisibleTo(c.get()));
    EXPECT_EQ(visibleCount(*c), 31);

    auto feb = open(Date::fromYmd(2015, 2, 10), "None"); // 1 February 2015: a Sunday
    EXPECT_EQ(feb->dayButton(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(feb->dayButton(27)->text(), QStringLiteral("28"));
    for (int k = 28; k < 42; ++k) {
        EXPECT_FALSE(feb->dayButton(k)->isVisibleTo(feb.get())) << k;
    }
}

TEST_F(CalendarTest, OnlyTheTasksDaysAreEnabledAlsoAfterSteppingMonths) {
    task.ScheduleType = QStringLiteral("Day of Week");
    task.Monday = 1;
    auto c = open(Date::fromYmd(1999, 1, 4));
    for (int step = 0; step < 3; ++step) {
        for (int k = 0; k < 42; ++k) {
            QPushButton* b = c->dayButton(k);
            if (b->text().isEmpty()) {
                continue;
            }
            const std::int32_t d =
                Date::make(c->displayedMonth(), b->text().toInt(), c->displayedYear());
            EXPECT_EQ(b->isEnabled(), Date::weekday(d) == 1) << c->displayedMonth() << '/' << k;
        }
        c->nextMonth();
    }
    // "None" offers every day.
    auto free = open(Date::fromYmd(1999, 1, 4), "None");
    EXPECT_TRUE(free->dayButton(5)->isEnabled());
}

TEST_F(CalendarTest, StepsWrapMonthsAndYears) {
    auto c = open(Date::fromYmd(2099, 12, 1));
    c->nextMonth();
    EXPECT_EQ(c->displayedMonth(), 1);
    EXPECT_EQ(c->displayedYear(), 2100) << "the month buttons do not wrap the year range";
    c->previousMonth();
    c->nextYear();
    EXPECT_EQ(c->displayedYear(), 1801);
    c->previousYear();
    EXPECT_EQ(c->displayedYear(), 2099);
    EXPECT_EQ(c->yearField()->value(), 2099);
    EXPECT_EQ(c->monthField()->value(), 12);
}

TEST_F(CalendarTest, OutOfRangeMonthAndYearAreRefused) {
    auto c = open(Date::fromYmd(1999, 1, 6));
    const QStringList before = texts(*c);
    type(c->monthField(), "13");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Month should be between 1 to 12"));
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Error Message"));
    EXPECT_EQ(ui.boxes()[0].icon, Ui::Information);
    EXPECT_EQ(c->displayedMonth(), 1);
    EXPECT_EQ(texts(*c), before);

    type(c->yearField(), "1800");
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[1].text, QStringLiteral("Year should be between 1801 to 2099"));
    EXPECT_EQ(c->displayedYear(), 1999);

    type(c->monthField(), "2");
    EXPECT_EQ(c->displayedMonth(), 2);
    EXPECT_EQ(c->dayButton(1)->text(), QStringLiteral("1")); // 1 February 1999: a Monday
}

TEST_F(CalendarTest, PickingAPastDayAsksFirst) {
    auto c = open(Date::fromYmd(1999, 1, 6));
    ui.answerNext(Ui::No);
    c->dayButton(9)->click(); // 5 January, yesterday
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("You have selected a date earlier than today.  Do "
                                                 "you wish to use this date?"));
    EXPECT_EQ(ui.boxes()[0].defaultButton, Ui::No);
    EXPECT_NE(c->QDialog::result(), QDialog::Accepted);
    EXPECT_EQ(c->pickedDate(), Date::fromYmd(1999, 1, 6));

    ui.answerNext(Ui::Yes);
    c->dayButton(9)->click();
    EXPECT_EQ(c->QDialog::result(), QDialog::Accepted);
    EXPECT_EQ(c->pickedDate(), Date::fromYmd(1999, 1, 5));

    auto later = open(Date::fromYmd(1999, 1, 6));
    later->dayButton(20)->click(); // 16 January: no question
    EXPECT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(later->pickedDate(), Date::fromYmd(1999, 1, 16));
}

TEST_F(CalendarTest, RemembersItsPlace) {
    {
        auto c = open(0);
        c->setGeometry(200, 150, 420, 380);
        c->reject();
    }
    EXPECT_EQ(ini.readNumber(QStringLiteral("Calendar"), QStringLiteral("XPosit")), 200);
    auto again = open(0);
    EXPECT_EQ(again->geometry(), QRect(200, 150, 420, 380));
}

// The month and year fields are named by their labels, which give no Alt shortcut of their own.
TEST_F(CalendarTest, MonthAndYearLabelsNameTheirFieldsWithoutMnemonics) {
    auto c = open(Date::fromYmd(1999, 1, 6));
    QStringList labels;
    for (const QLabel* label : c->findChildren<QLabel*>()) {
        if (qobject_cast<QSpinBox*>(label->buddy()) != nullptr) {
            labels << label->text();
        }
    }
    EXPECT_EQ(labels, (QStringList{QStringLiteral("Month:"), QStringLiteral("Year:")}));
}
