#include "../scheduler/EngineFixture.h"

#include "../editing/EditingFakes.h"
#include "../support/WaitFor.h"
#include "app/MainFrame.h"
#include "editing/EditingContext.h"
#include "editing/TaskWizard.h"
#include "windows/BrowseCategories.h"
#include "windows/CsvWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace velatask;

namespace {

class MainFrameTest : public EngineFixture {
protected:
    MainFrameTest() { ctx.tray = &tray; }
    EventLog trayLog;
    FakeTray tray{trayLog};
};

} // namespace

TEST_F(MainFrameTest, MenusCarryTheirHintsAndUnbuiltWindowsAreDisabled) {
    MainFrame mainFrame(ctx, ticker);
    QStringList menus;
    for (QAction* a : mainFrame.menuBar()->actions()) {
        menus << a->text();
    }
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Schedule"),
                                  QStringLiteral("&Reports"), QStringLiteral("&Window"),
                                  QStringLiteral("&Help")}));
    EXPECT_EQ(mainFrame.action(QStringLiteral("&Setup"))->statusTip(),
              QStringLiteral("Set preferences"));
    EXPECT_TRUE(mainFrame.action(QStringLiteral("&Setup"))->isEnabled());
    EXPECT_EQ(mainFrame.action(QStringLiteral("E&xit"))->statusTip(),
              QStringLiteral("Exit this application"));
    EXPECT_TRUE(mainFrame.action(QStringLiteral("&About"))->isEnabled());
    for (const char* item : {"&View Schedule", "Add &Message", "Add &Program", "Generic &Add "}) {
        ASSERT_NE(mainFrame.action(QLatin1String(item)), nullptr) << item;
        EXPECT_FALSE(mainFrame.action(QLatin1String(item))->isEnabled()) << item;
    }
    EXPECT_EQ(mainFrame.action(QStringLiteral("Generic &Add "))->statusTip(),
              QStringLiteral("Add a message, program, both or neither"));
}

TEST_F(MainFrameTest, ExportAndImportOpenAsChildWindows) {
    MainFrame mainFrame(ctx, ticker);
    mainFrame.show();
    mainFrame.action(QStringLiteral("&Export Schedule"))->trigger();
    ASSERT_EQ(mainFrame.mdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* sub = mainFrame.mdiArea()->subWindowList().constFirst();
    EXPECT_EQ(sub->widget()->windowTitle(), QStringLiteral("Choose Fields for Export..."));
    // Its "&Cancel" closes the child window.
    auto* window = qobject_cast<CsvWindow*>(sub->widget());
    ASSERT_NE(window, nullptr);
    window->cancelButton()->click();
    EXPECT_TRUE(waitFor([&] { return mainFrame.mdiArea()->subWindowList().isEmpty(); }));

    // Import asks for its file first; cancelling that opens nothing.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->close();
        }
    });
    mainFrame.action(QStringLiteral("&Import Schedule"))->trigger();
    EXPECT_TRUE(mainFrame.mdiArea()->subWindowList().isEmpty());
}

TEST_F(MainFrameTest, ReportItemsStartTheirReports) {
    MainFrame mainFrame(ctx, ticker);
    QMenu* reports = nullptr;
    for (QAction* a : mainFrame.menuBar()->actions()) {
        if (a->text() == QStringLiteral("&Reports")) {
            reports = a->menu();
        }
    }
    ASSERT_NE(reports, nullptr);
    QAction* toDo = nullptr;
    for (QAction* a : reports->findChildren<QAction*>()) {
        if (!a->isSeparator() && !a->menu()) {
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        }
        toDo = a->text() == QStringLiteral("&To Do") ? a : toDo;
    }
    ASSERT_NE(toDo, nullptr);
    toDo->trigger(); // an empty To Do list: one page with its title
    QWidget* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == QStringLiteral("Print Preview - To Do...")) {
            preview = w;
        }
    }
    ASSERT_NE(preview, nullptr);
    preview->close();
}

TEST_F(MainFrameTest, ToolbarButtonsAreTheirMenuItems) {
    MainFrame mainFrame(ctx, ticker);
    const QList<QAction*> buttons = mainFrame.toolBar()->actions();
    ASSERT_GE(buttons.size(), 4);
    EXPECT_EQ(buttons[0], mainFrame.action(QStringLiteral("Add &Program")));
    EXPECT_EQ(buttons[1], mainFrame.action(QStringLiteral("Add &Message")));
    EXPECT_EQ(buttons[2], mainFrame.action(QStringLiteral("&View Schedule")));
    EXPECT_EQ(buttons[3], mainFrame.action(QStringLiteral("&To Do List")));
    EXPECT_EQ(buttons[0]->iconText(), QStringLiteral("Add Program"));
    EXPECT_EQ(buttons[3]->iconText(), QStringLiteral("To Do"));

    // A button triggers exactly what its menu item does: here "Tile" wired through the same path.
    int triggered = 0;
    QObject::connect(buttons[2], &QAction::triggered, [&] { ++triggered; });
    buttons[2]->setEnabled(true);
    auto* button = qobject_cast<QToolButton*>(mainFrame.toolBar()->widgetForAction(buttons[2]));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(triggered, 1);
}

TEST_F(MainFrameTest, ListWindowsOpenOnceAsChildrenAndToDoAtStartUp) {
    settings.startUpToDo = true;
    MainFrame mainFrame(ctx, ticker);
    mainFrame.startUp();
    ASSERT_EQ(mainFrame.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(mainFrame.mdiArea()->subWindowList().front()->windowTitle(),
              QStringLiteral("To Do List"));
    // "&Categories" of the Schedule menu (the Reports menu has one too).
    QMenu* schedule = mainFrame.menuBar()->actions().at(1)->menu();
    for (QAction* a : schedule->actions()) {
        if (a->text() == QStringLiteral("&Categories")) {
            a->trigger();
        }
    }
    mainFrame.action(QStringLiteral("&To Do List"))->trigger();
    ASSERT_EQ(mainFrame.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(mainFrame.mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("To Do List"));
    mainFrame.mdiArea()->closeAllSubWindows();
    EXPECT_TRUE(waitFor([&] { return mainFrame.mdiArea()->subWindowList().isEmpty(); }));
    EXPECT_TRUE(ini.contains(QStringLiteral("ViewToDo"), QStringLiteral("?Browse:1")));
    EXPECT_TRUE(ini.contains(QStringLiteral("BrowseCategories"), QStringLiteral("Width")));
}

TEST_F(MainFrameTest, TheScheduleOpensAtStartUpFromItsItemAndFromTheCategoryList) {
    FakeDatePicker calendar;
    FakeFileChooser files;
    EditingContext editing{ctx, calendar, files};
    ASSERT_EQ(store->CAT.open(), 0);
    store->CAT.buffer().Category = QStringLiteral("Home");
    ASSERT_EQ(store->CAT.add(), 0);
    store->CAT.close();
    MainFrame mainFrame(ctx, ticker);
    mainFrame.setEditing(&editing);
    mainFrame.startUp();
    const auto titles = [&] {
        QStringList open;
        for (QMdiSubWindow* sub : mainFrame.mdiArea()->subWindowList()) {
            open << sub->windowTitle();
        }
        return open;
    };
    EXPECT_EQ(titles(), (QStringList{"View Schedule"}));
    mainFrame.action(QStringLiteral("&View Schedule"))->trigger();
    EXPECT_EQ(titles(), (QStringList{"View Schedule"})) << "brought forward, not opened twice";

    QMenu* schedule = mainFrame.menuBar()->actions().at(1)->menu();
    for (QAction* a : schedule->actions()) {
        if (a->text() == QStringLiteral("&Categories")) {
            a->trigger();
        }
    }
    BrowseCategories* categories = nullptr;
    for (QMdiSubWindow* sub : mainFrame.mdiArea()->subWindowList()) {
        categories = categories ? categories : qobject_cast<BrowseCategories*>(sub->widget());
    }
    ASSERT_NE(categories, nullptr);
    // Alt+S is the list's " &Schedule" button, not the frame's Schedule menu.
    mainFrame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainFrame));
    mainFrame.mdiArea()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(categories->parentWidget()));
    auto* list = categories->findChild<QAbstractItemView*>();
    ASSERT_NE(list, nullptr);
    list->setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == list; }));
    QTest::keyClick(list, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(waitFor([&] { return titles().size() == 3; })); // the button's click is animated
    EXPECT_EQ(titles(), (QStringList{"View Schedule", "Categories", "Browse Schedule for Home"}));
    mainFrame.mdiArea()->closeAllSubWindows();
    EXPECT_TRUE(waitFor([&] { return titles().isEmpty(); }));
}

TEST_F(MainFrameTest, InactiveCaptionAfterOneTick) {
    MainFrame mainFrame(ctx, ticker);
    ctx.frame = &mainFrame;
    settings.schedulerActive = false;
    // The timer follows the clock: a second that passes brings a tick.
    setNow(1999, 1, 4, 12, 0, 0, 1);
    mainFrame.tickTimer().clockSet();
    EXPECT_TRUE(waitFor([&] {
        clock.advance(Time::kSecond);
        return mainFrame.windowTitle() == QStringLiteral("Velatask (Inactive)");
    }));
}

TEST_F(MainFrameTest, MinimisingGoesToTheTrayAndAClickRestores) {
    MainFrame mainFrame(ctx, ticker);
    ctx.frame = &mainFrame;
    mainFrame.show();
    mainFrame.showMinimized();
    ASSERT_TRUE(waitFor([&] { return mainFrame.inTray(); }));
    EXPECT_FALSE(mainFrame.isVisible());
    EXPECT_EQ(tray.tipText, QStringLiteral("Velatask"));
    mainFrame.trayClicked();
    EXPECT_FALSE(mainFrame.inTray());
    EXPECT_TRUE(mainFrame.isVisible());
    EXPECT_FALSE(tray.installed);

    // With "NoTray" the mainFrame stays an ordinary minimised window.
    settings.noTray = true;
    mainFrame.showMinimized();
    QCoreApplication::sendPostedEvents(); // the queued tray handling runs here
    EXPECT_FALSE(mainFrame.inTray());
    EXPECT_TRUE(mainFrame.isVisible());
}

TEST_F(MainFrameTest, RefusedTrayLeavesTheFrameMinimised) {
    tray.accept = false;
    MainFrame mainFrame(ctx, ticker);
    mainFrame.show();
    mainFrame.showMinimized();
    ASSERT_TRUE(waitFor([&] { return !trayLog.isEmpty(); }));
    EXPECT_FALSE(mainFrame.inTray());
    EXPECT_TRUE(mainFrame.isVisible());
    EXPECT_EQ(trayLog, QStringList{QStringLiteral("tray add")});
}

TEST_F(MainFrameTest, PositionSurvivesCloseAndReopen) {
    {
        MainFrame mainFrame(ctx, ticker);
        mainFrame.setGeometry(60, 70, 800, 500);
        mainFrame.close();
    }
    EXPECT_EQ(ini.readNumber(QStringLiteral("Main"), QStringLiteral("XPosit")), 60);
    MainFrame again(ctx, ticker);
    EXPECT_EQ(again.geometry(), QRect(60, 70, 800, 500));
}

TEST_F(MainFrameTest, MinimiseAtStartUpGoesStraightToTheTray) {
    settings.startUpMinimized = true;
    MainFrame mainFrame(ctx, ticker);
    ctx.frame = &mainFrame;
    mainFrame.show();
    mainFrame.startUp();
    EXPECT_TRUE(mainFrame.inTray());
    EXPECT_FALSE(mainFrame.isVisible());
    EXPECT_EQ(tray.tipText, QStringLiteral("Velatask"));
}

TEST_F(MainFrameTest, MinimiseAtStartUpWithoutTrayIsAnOrdinaryMinimisedWindow) {
    settings.startUpMinimized = true;
    settings.noTray = true;
    MainFrame mainFrame(ctx, ticker);
    mainFrame.show();
    mainFrame.startUp();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(mainFrame.inTray());
    EXPECT_TRUE(mainFrame.isMinimized());
    EXPECT_TRUE(trayLog.isEmpty());
}

namespace {

// Counts the times a widget is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            ++shows;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TEST_F(MainFrameTest, StartUpShowsTheFrameOnlyWhereItBelongs) {
    const struct {
        bool minimized;
        bool noTray;
        bool trayAccepts;
        bool shown;
        bool inTray;
    } cases[] = {
        {false, false, true, true, false}, // an ordinary start
        {true, false, true, false, true},  // straight into the tray: never shown on the way
        {true, true, true, true, false},   // minimised window, no tray wanted
        {true, false, false, true, false}, // the tray refused: minimised window
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimized << c.noTray << c.trayAccepts);
        settings.startUpMinimized = c.minimized;
        settings.noTray = c.noTray;
        tray.accept = c.trayAccepts;
        tray.installed = false;
        MainFrame mainFrame(ctx, ticker);
        ctx.frame = &mainFrame;
        ShowCounter counter;
        mainFrame.installEventFilter(&counter);
        mainFrame.startUp();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(counter.shows > 0, c.shown);
        EXPECT_EQ(mainFrame.inTray(), c.inTray);
        EXPECT_EQ(mainFrame.isIconised(), c.minimized);
        if (c.inTray) {
            mainFrame.trayClicked();
            EXPECT_TRUE(mainFrame.isVisible()) << "restored from the tray";
            EXPECT_FALSE(mainFrame.isMinimized());
        }
        ctx.frame = &frame;
    }
}

// A checkpoint or a logout that is later cancelled saves the state and stops nothing.
TEST_F(MainFrameTest, SessionSaveKeepsTheSchedulerRunning) {
    // A hundredth past the second, so that each second the clock is moved on brings a tick.
    setNow(1999, 1, 4, 9, 0, 1, 1);
    ScheduleRecord r;
    r.TaskType = QStringLiteral("Display Message");
    r.ScheduleType = QStringLiteral("Once");
    r.Message = QStringLiteral("still here");
    r.Date = clock.today();
    r.Time = Time::fromHms(9, 0);
    addTask(r);
    MainFrame mainFrame(ctx, ticker);
    ctx.frame = &mainFrame;
    ASSERT_TRUE(waitFor([&] { return mainFrame.tickTimer().isActive(); })) << "started up";
    mainFrame.setGeometry(40, 50, 700, 450);
    settings.historyExpires = 12;
    mainFrame.saveState();
    EXPECT_EQ(ini.readNumber(QStringLiteral("Main"), QStringLiteral("XPosit")), 40);
    EXPECT_EQ(ini.readNumber(QStringLiteral("Settings"), QStringLiteral("HistoryExpires")), 12);
    EXPECT_TRUE(mainFrame.tickTimer().isActive());
    EXPECT_TRUE(store->SCH1.isOpen());
    mainFrame.tickTimer().clockSet();
    EXPECT_TRUE(waitFor([&] {
        clock.advance(Time::kSecond);
        return !messageWindows.opened.isEmpty();
    }));

    // "E&xit" afterwards still saves the position where the frame now is.
    mainFrame.setGeometry(80, 90, 700, 450);
    mainFrame.close();
    EXPECT_EQ(ini.readNumber(QStringLiteral("Main"), QStringLiteral("XPosit")), 80);
    EXPECT_FALSE(mainFrame.tickTimer().isActive());
    ctx.frame = &frame;
}

TEST_F(MainFrameTest, MinimizedOptionGoesToTheTrayForThisRunOnly) {
    MainFrame mainFrame(ctx, ticker);
    ctx.frame = &mainFrame;
    mainFrame.show();
    mainFrame.startUp(true);
    EXPECT_TRUE(mainFrame.inTray());
    EXPECT_FALSE(settings.startUpMinimized) << "the setting is left as it was";
}

// A second start of the program brings the frame forward from wherever it is.
TEST_F(MainFrameTest, ComeForwardFromTrayMinimisedOrBehind) {
    struct Case {
        const char* where;
        bool noTray;
        bool minimise;
    };
    const Case cases[] = {
        {"in the tray", false, true},
        {"minimised without tray", true, true},
        {"shown", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        settings.noTray = c.noTray;
        MainFrame mainFrame(ctx, ticker);
        ctx.frame = &mainFrame;
        mainFrame.show();
        if (c.minimise) {
            mainFrame.showMinimized();
            QCoreApplication::sendPostedEvents();
            ASSERT_EQ(mainFrame.inTray(), !c.noTray);
        }
        mainFrame.comeForward();
        EXPECT_FALSE(mainFrame.inTray());
        EXPECT_TRUE(mainFrame.isVisible());
        EXPECT_FALSE(mainFrame.isMinimized());
        ctx.frame = nullptr;
    }
}

TEST_F(MainFrameTest, WizardItemsOpenTheirWizardsBesideTheFrame) {
    FakeDatePicker calendar;
    FakeFileChooser files;
    EditingContext services{ctx, calendar, files};
    MainFrame mainFrame(ctx, ticker);
    mainFrame.setEditing(&services);
    mainFrame.show();
    const std::pair<const char*, const char*> items[] = {{"Add &Message", "Add Message Wizard"},
                                                         {"Add &Program", "Add Program Wizard"},
                                                         {"Generic &Add ", "Add Task Wizard"}};
    for (const auto& [item, title] : items) {
        SCOPED_TRACE(item);
        QAction* action = mainFrame.action(QLatin1String(item));
        ASSERT_TRUE(action->isEnabled());
        action->trigger(); // returns at once: the wizard does not hold up the frame
        const QList<TaskWizard*> open = mainFrame.findChildren<TaskWizard*>();
        ASSERT_EQ(open.size(), 1);
        EXPECT_TRUE(open[0]->isVisible());
        EXPECT_FALSE(open[0]->isModal());
        EXPECT_EQ(open[0]->windowTitle(), QLatin1String(title));
        open[0]->cancelButton()->click();
        // Deleted once the event loop gets back to it.
        EXPECT_TRUE(waitFor([&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return mainFrame.findChildren<TaskWizard*>().isEmpty();
        }));
    }
    // A wizard still open when the frame goes takes its task back too.
    {
        MainFrame closing(ctx, ticker);
        closing.setEditing(&services);
        closing.action(QStringLiteral("Add &Program"))->trigger();
        ASSERT_EQ(closing.findChildren<TaskWizard*>().size(), 1);
    }
    // Each reserved task went again with its wizard.
    store->SCH.setStart(ScheduleKey::KeyID);
    EXPECT_EQ(store->SCH.next(), StoreCode::NoRecord);
}
