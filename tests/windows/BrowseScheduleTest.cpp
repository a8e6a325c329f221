#include "../editing/EditingFakes.h"
#include "../scheduler/EngineFixture.h"
#include "../support/WaitFor.h"
#include "../ui/WindowFixture.h" // how a QString is printed

#include "core/Picture.h"
#include "editing/CategoryAndDescription.h"
#include "editing/EditingContext.h"
#include "editing/NextDateEntry.h"
#include "editing/SpecialEventWizard.h"
#include "editing/UpdateSchedule.h"
#include "store/Tags.h"
#include "ui/Accessibility.h"
#include "ui/BrowseList.h"
#include "windows/BrowseSCH_KeyCategory.h"
#include "windows/BrowseSchedule.h"
#include "windows/ScheduleRowLook.h"
#include "windows/SearchSchedule.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>

using namespace velatask;

namespace {

const std::int32_t kMonday = Date::fromYmd(1999, 1, 4);
const std::int32_t kTuesday = kMonday + 1;

struct Look {
    int completed, skip, disabled;
    int icon;
    QColor date;
};

TEST(ScheduleRowLookTest, IconByTheFirstRuleThatHoldsAndTheDateColouredOnItsOwn) {
    const QColor grey(0x80, 0x80, 0x80), blue(0, 0, 0xff), none;
    using namespace ScheduleRowLook;
    const Look cases[] = {
        {0, 0, 0, NotDoneIcon, none},  {1, 0, 1, DoneIcon, grey}, // a history copy
        {1, 1, 0, DoneIcon, blue},                                // done wins over skip
        {0, 1, 1, SkipIcon, grey}, // skip wins over disabled; the date is grey
        {0, 1, 0, SkipIcon, blue},     {0, 0, 1, DisabledIcon, grey},
        {0, 0, 2, DisabledIcon, none}, // any disabled value shows, only 1 greys the date
        {2, 0, 0, NotDoneIcon, none},  // a completed value other than 1 is not done
    };
    for (const Look& c : cases) {
        SCOPED_TRACE(testing::Message() << c.completed << c.skip << c.disabled);
        EXPECT_EQ(iconOf(c.completed, c.skip, c.disabled), c.icon);
        EXPECT_EQ(dateColourOf(c.disabled, c.skip), c.date);
    }
}

class BrowseScheduleTest : public EngineFixture {
protected:
    BrowseScheduleTest() {
        setNow(1999, 1, 4, 12, 0);
        EXPECT_EQ(store->CAT.open(), 0);
        for (const char* name : {"Garden", "Home", "Work"}) {
            store->CAT.buffer().Category = QLatin1String(name);
            EXPECT_EQ(store->CAT.add(), 0);
        }
    }
    ~BrowseScheduleTest() override {
        browse.reset();
        store->CAT.close();
    }

    // Adds a task; its record position.
    std::int32_t add(const char* description, const char* category, std::int32_t date, int hour,
                     std::uint8_t completed = 0) {
        ScheduleRecord r;
        r.TaskType = QStringLiteral("Display Message");
        r.ScheduleType = QStringLiteral("Day of Week");
        r.Monday = r.Tuesday = 1;
        r.Description = QLatin1String(description);
        r.Category = QLatin1String(category);
        r.Date = date;
        r.Time = date == 0 ? 0 : Time::fromHms(hour, 0);
        r.Message = QLatin1String(description);
        r.Completed = r.Disabled = completed;
        addTask(r);
        return std::int32_t(store->SCH.pointer());
    }
    BrowseSchedule& open() {
        browse = std::make_unique<BrowseSchedule>(services);
        browse->show();
        EXPECT_TRUE(browse->open());
        browse->list()->setChangeInterval(20);
        return *browse;
    }
    // The rows on screen as "icon date colour description".
    static QStringList shown(BrowseWindow& window, int dateColumn = 1, int textColumn = 4) {
        const BrowseModel& m = window.list()->model();
        QStringList rows;
        for (int r = 0; r < m.rowCount(); ++r) {
            const QVariant colour = m.data(m.index(r, dateColumn), Qt::ForegroundRole);
            rows << QStringList{m.data(m.index(r, 0), Qt::AccessibleTextRole).toString(),
                                m.data(m.index(r, dateColumn), Qt::DisplayRole).toString(),
                                colour.isValid() ? colour.value<QColor>().name() : QString(),
                                m.data(m.index(r, textColumn), Qt::DisplayRole).toString()}
                        .join(QLatin1Char(' '))
                        .simplified();
        }
        return rows;
    }
    QString highlighted() const {
        const PageSource::Row* row = browse->list()->currentRow();
        return row ? row->values.at(3).toString() : QString();
    }
    static QStringList enabledItems(QMenu& menu) {
        QStringList items;
        for (QAction* a : menu.actions()) {
            if (!a->isSeparator()) {
                items << (a->isEnabled() ? a->text() : QStringLiteral("~") + a->text());
            }
        }
        return items;
    }
    // Runs `actions` on the modal task form once it shows.
    static void onForm(std::function<void(UpdateSchedule&)> actions) {
        QTimer::singleShot(0, [actions] {
            auto* form = qobject_cast<UpdateSchedule*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            actions(*form);
        });
    }

    FakeDatePicker calendar;
    FakeFileChooser files;
    EditingContext services{ctx, calendar, files};
    std::unique_ptr<BrowseSchedule> browse;
};

} // namespace

TEST_F(BrowseScheduleTest, FourViewsWithTheDayAsCaptionAndTheSearchSelection) {
    add("lunch", "Home", kMonday, 13);
    const std::int32_t standup = add("standup", "work", kMonday, 9);
    add("report", "WORK", kTuesday, 9);
    const std::int32_t past = add("old lunch", "Home", kMonday - 7, 13, 1);
    add("undated", "Home", 0, 0); // no date and no time: in no date order
    Tags(*store).SetTag_(SearchSchedule::kSelectedSet, past);
    Tags(*store).SetTag_(SearchSchedule::kSelectedSet, standup);
    store->CAT.buffer().Category = QStringLiteral("Work");

    BrowseSchedule& b = open();
    EXPECT_TRUE(Accessibility::unnamedControls(&b).isEmpty())
        << Accessibility::unnamedControls(&b).join(", ").toStdString();
    EXPECT_EQ(b.windowTitle(), QStringLiteral("View Schedule"));
    EXPECT_EQ(b.tabs()->currentIndex(), BrowseSchedule::DayTab);
    EXPECT_EQ(b.tabs()->tabText(BrowseSchedule::DayTab), QStringLiteral("Jan 4, 1999"));
    EXPECT_EQ(ctx.NewTaskDate, QString::number(kMonday));
    EXPECT_EQ(shown(b),
              (QStringList{"Not done Jan 4, 1999 standup", "Not done Jan 4, 1999 lunch"}));
    EXPECT_TRUE(b.button(QStringLiteral("&Pick Day"))->isVisible());
    EXPECT_FALSE(b.button(QStringLiteral("&Pick Category"))->isVisible());

    b.tabs()->setCurrentIndex(BrowseSchedule::DateTab);
    EXPECT_EQ(shown(b),
              (QStringList{"Done Dec 28, 1998 #808080 old lunch", "Not done Jan 4, 1999 standup",
                           "Not done Jan 4, 1999 lunch", "Not done Jan 5, 1999 report"}));
    EXPECT_FALSE(b.button(QStringLiteral("&Pick Day"))->isVisible());

    b.tabs()->setCurrentIndex(BrowseSchedule::CategoryTab);
    EXPECT_EQ(b.category(), QStringLiteral("Work"));
    EXPECT_EQ(shown(b),
              (QStringList{"Not done Jan 5, 1999 report", "Not done Jan 4, 1999 standup"}))
        << "any spelling of the category, by description";
    EXPECT_TRUE(b.button(QStringLiteral("&Pick Category"))->isVisible());
    store->CAT.buffer().Category = QStringLiteral("home"); // another window's choice
    EXPECT_TRUE(waitFor([&] { return shown(b).size() == 3; }));
    EXPECT_EQ(shown(b).first(), QStringLiteral("Not done Jan 4, 1999 lunch"));

    b.tabs()->setCurrentIndex(BrowseSchedule::SelectedTab);
    EXPECT_EQ(shown(b),
              (QStringList{"Done Dec 28, 1998 #808080 old lunch", "Not done Jan 4, 1999 standup"}));
    QPushButton* search = b.button(QStringLiteral("Search"));
    EXPECT_TRUE(search->isVisible() && search->isEnabled());
}

TEST_F(BrowseScheduleTest, AnEmptyViewOffersOnlyToAdd) {
    add("report", "Work", kTuesday, 9);
    BrowseSchedule& b = open();
    ASSERT_TRUE(b.list()->isEmpty());
    EXPECT_EQ(enabledItems(*b.recordMenu()),
              (QStringList{"&Add", "~&Change", "~&Delete", "~Cop&y"}));
    EXPECT_EQ(enabledItems(*b.windowMenu()),
              (QStringList{"&Add", "~&Change", "~&Delete", "~&Reschedule", "~Run &Now"}));
    for (const char* text : {"Cop&y", "&Change", "&Delete", "Reschedule", "Run Now"}) {
        EXPECT_FALSE(b.button(QLatin1String(text))->isEnabled()) << text;
    }
    EXPECT_EQ(b.update(Request::Change), Response::Cancelled);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(BrowseScheduleTest, APickedDayIsShownAndGivenToTheNextNewTask) {
    BrowseSchedule& b = open();
    const std::int32_t friday = kMonday + 4;
    calendar.answers.push_back(friday);
    b.pickDay();
    EXPECT_EQ(calendar.calls.at(0).date, kMonday);
    EXPECT_EQ(b.tabs()->tabText(BrowseSchedule::DayTab), QStringLiteral("Jan 8, 1999"));
    EXPECT_TRUE(b.list()->isEmpty());
    EXPECT_EQ(ctx.NewTaskDate, QString::number(friday));

    onForm([](UpdateSchedule& form) {
        EXPECT_EQ(form.nextDate()->dateEdit()->text(), QStringLiteral("Jan 8, 1999"));
        form.category()->description()->setText(QStringLiteral("pay day"));
        form.okButton()->click();
    });
    EXPECT_EQ(b.add(), Response::Completed);
    EXPECT_EQ(shown(b), (QStringList{"Not done Jan 8, 1999 pay day"}));
    EXPECT_EQ(highlighted(), QStringLiteral("pay day"));
}

TEST_F(BrowseScheduleTest, CopyChangeRunNowAndDeleteActOnTheHighlightedTask) {
    add("standup", "Work", kMonday, 9);
    add("lunch", "Home", kMonday, 13);
    BrowseSchedule& b = open();
    b.list()->act([](BrowsePager& p) { return p.move(1); }); // "lunch"

    onForm([](UpdateSchedule& form) {
        EXPECT_EQ(form.category()->description()->text(), QStringLiteral("lunch"));
        form.category()->description()->setText(QStringLiteral("lunch again"));
        form.okButton()->click();
    });
    EXPECT_EQ(b.copy(), Response::Completed);
    EXPECT_EQ(highlighted(), QStringLiteral("lunch again")) << "the copy, a new task";
    ASSERT_EQ(allTasks().size(), 3u);
    EXPECT_EQ(allTasks().back().ID, 3);
    EXPECT_EQ(allTasks().back().Category, QStringLiteral("Home"));

    onForm([](UpdateSchedule& form) {
        form.category()->description()->setText(QStringLiteral("brunch"));
        form.okButton()->click();
    });
    EXPECT_EQ(b.update(Request::Change), Response::Completed);
    EXPECT_EQ(highlighted(), QStringLiteral("brunch"));

    b.runNow();
    EXPECT_EQ(messageWindows.opened, (QStringList{"lunch"})) << "the copy kept the message";
    EXPECT_EQ(task(3)->LastRunDate, 0) << "run now writes nothing";

    ui.answerNext(Ui::Ok);
    EXPECT_EQ(b.update(Request::Delete), Response::Completed);
    EXPECT_EQ(shown(b),
              (QStringList{"Not done Jan 4, 1999 standup", "Not done Jan 4, 1999 lunch"}));
}

TEST_F(BrowseScheduleTest, RescheduleShowsTheOneTimeCopyAndTheSourceToBeSkipped) {
    add("standup", "Work", kTuesday, 9);
    settings.fullSchedule = true;
    BrowseSchedule& b = open();
    QTimer::singleShot(0, [] {
        auto* wizard = qobject_cast<SpecialEventWizard*>(QApplication::activeModalWidget());
        ASSERT_NE(wizard, nullptr);
        wizard->category()->description()->setText(QStringLiteral("standup at the fair"));
        wizard->skipNextTime()->setChecked(true);
        wizard->accept();
    });
    b.button(QStringLiteral("Reschedule"))->click();
    EXPECT_EQ(highlighted(), QStringLiteral("standup at the fair"));
    EXPECT_EQ(shown(b), (QStringList{"Skip next time Jan 5, 1999 #0000ff standup",
                                     "Not done Jan 5, 1999 standup at the fair"}));
}

TEST_F(BrowseScheduleTest, FullScheduleShowsATaskFallingDueMoveOnAndLeaveAGreyDoneCopy) {
    add("standup", "Work", kMonday, 9);
    settings.fullSchedule = true;
    BrowseSchedule& b = open();
    EXPECT_EQ(b.tabs()->currentIndex(), BrowseSchedule::DateTab);
    EXPECT_EQ(b.tabs()->tabText(BrowseSchedule::DayTab), QStringLiteral("Jan 4, 1999"));
    ticker.tick(); // due at 9:00, the clock says 12:00
    EXPECT_TRUE(waitFor([&] { return shown(b).size() == 2; }));
    EXPECT_EQ(shown(b),
              (QStringList{"Done Jan 4, 1999 #808080 standup", "Not done Jan 5, 1999 standup"}));
}

TEST_F(BrowseScheduleTest, SavingATaskTheSchedulerMovedMeanwhileShowsTheSchedulersVersion) {
    add("standup", "Work", kMonday, 9);
    settings.fullSchedule = true;
    BrowseSchedule& b = open();
    onForm([&](UpdateSchedule& form) {
        form.category()->description()->setText(QStringLiteral("daily standup"));
        ticker.tick(); // the scheduler performs the task while it is being edited
        form.okButton()->click();
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes().at(0).text,
                  QStringLiteral("This record was changed by another station."));
        EXPECT_TRUE(form.isVisible()) << "the form stays open";
        EXPECT_EQ(form.nextDate()->dateEdit()->text(), QStringLiteral("Jan 5, 1999"));
        EXPECT_EQ(form.category()->description()->text(), QStringLiteral("standup"));
        form.reject();
    });
    EXPECT_EQ(b.update(Request::Change), Response::Cancelled);
    EXPECT_EQ(task(1)->Date, kTuesday) << "the scheduler's write stands";
    EXPECT_EQ(task(1)->Description, QStringLiteral("standup"));
}

TEST_F(BrowseScheduleTest, ACompletedSearchReappliesTheSelectionKeepingTheHighlight) {
    const std::int32_t standup = add("standup", "Work", kMonday, 9);
    Tags(*store).SetTag_(SearchSchedule::kSelectedSet, add("lunch", "Home", kMonday, 13));
    BrowseSchedule& b = open();
    b.tabs()->setCurrentIndex(BrowseSchedule::SelectedTab);
    ASSERT_EQ(highlighted(), QStringLiteral("lunch"));
    QTimer::singleShot(0, [&] {
        auto* search = qobject_cast<SearchSchedule*>(QApplication::activeModalWidget());
        ASSERT_NE(search, nullptr);
        Tags(*store).SetTag_(SearchSchedule::kSelectedSet, standup); // what a search selects
        search->okButton()->click();
    });
    b.button(QStringLiteral("Search"))->click();
    EXPECT_EQ(shown(b),
              (QStringList{"Not done Jan 4, 1999 standup", "Not done Jan 4, 1999 lunch"}));
    EXPECT_EQ(highlighted(), QStringLiteral("lunch"));
}

TEST_F(BrowseScheduleTest, TheTasksOfOneCategoryFollowTheCategoriesRecord) {
    add("standup", "work", kMonday, 9);
    add("report", "WORK", kTuesday, 9);
    add("lunch", "Home", kMonday, 13);
    store->CAT.buffer().Category = QStringLiteral("Work");
    BrowseSCH_KeyCategory tasks(services);
    tasks.show();
    ASSERT_TRUE(tasks.open());
    EXPECT_EQ(tasks.windowTitle(), QStringLiteral("Browse Schedule for Work"));
    EXPECT_EQ(shown(tasks, 1, 0), (QStringList{"Jan 5, 1999 report", "Jan 4, 1999 standup"}));

    store->CAT.buffer().Category = QStringLiteral("Garden");
    EXPECT_TRUE(waitFor([&] { return tasks.windowTitle().endsWith(QLatin1String("Garden")); }));
    EXPECT_TRUE(tasks.list()->isEmpty());
    onForm([](UpdateSchedule& form) {
        EXPECT_EQ(form.category()->categoryList()->currentText(), QStringLiteral("Garden"));
        form.category()->description()->setText(QStringLiteral("mow"));
        form.okButton()->click();
    });
    EXPECT_EQ(tasks.update(Request::Insert), Response::Completed);
    EXPECT_EQ(task(4)->Category, QStringLiteral("Garden")) << "added to the category shown";
}
