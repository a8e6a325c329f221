#include "../../ui/WindowFixture.h"

#include "../../support/WaitFor.h"
#include "scheduler/AppContext.h"
#include "scripting/ui/AddScripting.h"
#include "scripting/ui/SearchTextDialog.h"
#include "scripting/ui/UpdateScripting.h"
#include "scripting/ui/ViewScriptKeys.h"
#include "ui/Accessibility.h"
#include "ui/BrowseList.h"
#include "ui/OptionGroup.h"
#include "ui/ProgressWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <tuple>

using namespace velatask;

namespace {

class ScriptWindowsTest : public WindowFixture {
protected:
    ScriptWindowsTest() {
        app.ini = &ini;
        app.ui = &ui;
        app.store = &store;
        EXPECT_EQ(store.SCR.open(), 0);
        EXPECT_EQ(store.SCH.open(), 0);
    }
    ~ScriptWindowsTest() override {
        store.SCH.close();
        store.SCR.close();
    }
    void addStep(std::int32_t task, std::int32_t sequence) {
        store.SCR.clearBuffer();
        store.SCR.buffer().ID = task;
        store.SCR.buffer().Sequence = sequence;
        store.SCR.buffer().Action = QStringLiteral("Wait");
        ASSERT_EQ(store.SCR.add(), 0);
    }
    // The task's steps as (sequence, action, keystrokes, focus window), read by another station
    // so that the form's buffer stays as it is.
    QStringList steps(std::int32_t task) {
        QStringList all;
        ScriptingView& scr = otherStation().SCR;
        EXPECT_EQ(scr.open(), 0);
        scr.setStart(ScriptingKey::KeyID);
        while (scr.next() == 0) {
            const ScriptingRecord& s = scr.buffer();
            if (s.ID == task) {
                all << QStringLiteral("%1 %2 %3 %4")
                           .arg(s.Sequence)
                           .arg(s.Action, s.Keystrokes, s.FocusOnWindow);
            }
        }
        scr.close();
        return all;
    }
    // Opens the form of a new step of the task in the Schedule buffer, as the script list does.
    void newStepOf(std::int32_t task) {
        store.SCH.buffer().ID = task;
        store.SCR.clearBuffer();
        store.SCR.buffer().ID = task;
    }
    QString writeFile(const QByteArray& bytes) {
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("KEYCODES.TXT"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }
    // Runs `action` on the modal window of type W as soon as it shows.
    template <class W> static void whenShown(std::function<void(W*)> action) {
        QTimer::singleShot(0, [action] {
            W* window = nullptr;
            waitFor([&] { return (window = qobject_cast<W*>(QApplication::activeModalWidget())); });
            ASSERT_NE(window, nullptr);
            action(window);
        });
    }

    AppContext app;
};

} // namespace

TEST_F(ScriptWindowsTest, ANewStepTakesTheNextSequenceAndCancelGivesItBack) {
    addStep(5, 1);
    addStep(5, 2);
    addStep(5, 7);
    addStep(6, 1);
    for (const bool save : {false, true}) {
        newStepOf(5);
        UpdateScripting form(app, Request::Insert);
        const Response response = runForm(form, [&](FormWindow&) {
            EXPECT_EQ(form.windowTitle(), QStringLiteral("Adding Scripting"));
            EXPECT_TRUE(Accessibility::unnamedControls(&form).isEmpty())
                << Accessibility::unnamedControls(&form).join(", ").toStdString();
            EXPECT_EQ(steps(5).size(), 4) << "added as the form opened";
            EXPECT_EQ(store.SCR.buffer().Sequence, 8);
            EXPECT_EQ(form.action()->value(), QStringLiteral("Send Keystrokes"));
            EXPECT_EQ(form.tabs()->currentIndex(), UpdateScripting::KeystrokesTab);
            if (save) {
                form.keystrokes()->setText(QStringLiteral("Hello[ENTER]"));
                form.okButton()->click();
            }
        });
        EXPECT_EQ(response, save ? Response::Completed : Response::Cancelled);
    }
    EXPECT_EQ(steps(5),
              (QStringList{"1 Wait  ", "2 Wait  ", "7 Wait  ", "8 Send Keystrokes Hello[ENTER] "}));
    EXPECT_EQ(steps(6).size(), 1);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ScriptWindowsTest, EachActionBringsItsTabForwardAndEveryTabIsKept) {
    newStepOf(3);
    UpdateScripting form(app, Request::Insert);
    runForm(form, [&](FormWindow&) {
        form.keystrokes()->setText(QStringLiteral("[CTRLS]"));
        // Chosen by a click, or toggled without one as a screen reader does.
        const std::tuple<const char*, int, bool> actions[] = {
            {"Set Focus", UpdateScripting::FocusTab, false},
            {"Wait", UpdateScripting::WaitTab, true},
            {"DDE (Dynamic Data Exchange)", UpdateScripting::DdeTab, false},
            {"Close Program", UpdateScripting::CloseTab, true},
            {"Set Focus", UpdateScripting::FocusTab, false},
        };
        for (const auto& [action, tab, toggled] : actions) {
            QRadioButton* button = form.action()->button(QLatin1String(action));
            if (toggled) {
                button->toggle();
            } else {
                button->click();
            }
            EXPECT_EQ(form.tabs()->currentIndex(), tab) << action;
        }
        form.focusOnWindow()->setText(QStringLiteral("Untitled - *"));
        // The list of key names opens over the form and returns to it; it reads KEYCODES.TXT of
        // the current directory, here one without it.
        const QString ownDirectory = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        whenShown<ViewScriptKeys>([](ViewScriptKeys* viewer) {
            EXPECT_EQ(viewer->windowTitle(), QStringLiteral("List of Key Abbreviations"));
            waitFor([viewer] { return !viewer->list()->isEnabled(); });
            viewer->reject();
        });
        form.abbreviationsButton()->click();
        QDir::setCurrent(ownDirectory);
        EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("File Load Error")});
        ui.clear();
        EXPECT_TRUE(form.isVisible());
        form.okButton()->click();
    });
    EXPECT_EQ(steps(3), QStringList{"1 Set Focus [CTRLS] Untitled - *"});

    // Changing nothing writes nothing; a delete asks nothing.
    store.SCR.buffer().ID = 3;
    store.SCR.buffer().Sequence = 1;
    store.SCR.watch();
    ASSERT_EQ(store.SCR.fetch(ScriptingKey::KeyID), 0);
    UpdateScripting change(app, Request::Change);
    EXPECT_EQ(runForm(change,
                      [&](FormWindow&) {
                          EXPECT_EQ(change.windowTitle(), QStringLiteral("Changing Scripting"));
                          EXPECT_EQ(change.tabs()->currentIndex(), UpdateScripting::FocusTab);
                          EXPECT_EQ(change.keystrokes()->text(), QStringLiteral("[CTRLS]"));
                          change.okButton()->click();
                      }),
              Response::Cancelled);
    UpdateScripting remove(app, Request::Delete);
    EXPECT_EQ(remove.run(), Response::Completed);
    EXPECT_TRUE(steps(3).isEmpty());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ScriptWindowsTest, AStepWithoutATaskIsReported) {
    newStepOf(0);
    UpdateScripting form(app, Request::Insert);
    runForm(form, [&](FormWindow&) {});
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Internal Error"));
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Unable to attach script to scheduled item."));
    EXPECT_TRUE(steps(0).isEmpty()) << "cancelled";
}

TEST_F(ScriptWindowsTest, TheViewerLoadsInBatchesAndCanBeStopped) {
    // About 120 batches of 20000 bytes.
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i) {
        bytes += "CTRLSHIFTF" + QByteArray::number(i % 12 + 1) + QByteArray(48, ' ') + "line\n";
    }
    const QString path = writeFile(bytes);
    {
        ViewScriptKeys viewer(app, nullptr, path);
        ASSERT_TRUE(viewer.load());
        EXPECT_EQ(viewer.list()->count(), 40000);
        EXPECT_TRUE(viewer.list()->isEnabled());
        EXPECT_TRUE(viewer.load()) << "the same file is not read again";
    }
    // "Cancel" asks first: Cancel goes on, OK stops with the lines read so far.
    ui.answerNext(Ui::Cancel);
    ui.answerNext(Ui::Ok);
    ViewScriptKeys viewer(app, nullptr, path);
    std::function<void(ProgressWindow*)> cancel = [&](ProgressWindow* progress) {
        EXPECT_EQ(progress->secondLine()->text(), QStringLiteral("List of Key Abbreviations"));
        progress->cancelButton()->click();
        if (ui.boxes().size() == 1) {
            whenShown(cancel);
        }
    };
    whenShown(cancel);
    ASSERT_TRUE(viewer.load());
    EXPECT_EQ(boxTitles(), (QStringList{"Cancel Request", "Cancel Request"}));
    EXPECT_EQ(ui.boxes()[0].text,
              QStringLiteral("Are you certain you want to stop loading KEYCODES.TXT?"));
    EXPECT_GT(viewer.list()->count(), 0);
    EXPECT_LT(viewer.list()->count(), 40000);
}

TEST_F(ScriptWindowsTest, AMissingOrEmptyFileLeavesTheListUnavailable) {
    const QString missing = QDir(m_dir.path()).filePath(QStringLiteral("nothing.txt"));
    const QString empty = writeFile({});
    for (const QString& path : {missing, empty}) {
        ViewScriptKeys viewer(app, nullptr, path);
        EXPECT_FALSE(viewer.load());
        EXPECT_FALSE(viewer.list()->isEnabled());
    }
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].text,
              QStringLiteral("KEYCODES.TXT File Load Error.  Error: File Not Found (2)."));
    EXPECT_EQ(ui.boxes()[1].text, QStringLiteral("KEYCODES.TXT File Load Error.  The file you've "
                                                 "requested contains no text."));
}

TEST_F(ScriptWindowsTest, FindWrapsAroundOnRequestAndFindNextRepeats) {
    ViewScriptKeys viewer(app, nullptr, writeFile("first CTRL A\nCTRLA\nmiddle\nlast\n"));
    ASSERT_TRUE(viewer.load());
    EXPECT_FALSE(viewer.findNextButton()->isEnabled());
    viewer.list()->setCurrentRow(1);
    whenShown<SearchTextDialog>([](SearchTextDialog* dialog) {
        EXPECT_TRUE(dialog->findWhat()->text().isEmpty());
        dialog->findWhat()->setText(QStringLiteral("ctrl"));
        dialog->wholeWord()->setChecked(true);
        dialog->findButton()->click();
    });
    viewer.findButton()->click();
    ASSERT_EQ(ui.boxes().size(), 1u) << "ran past the end";
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("End of File Error"));
    EXPECT_EQ(viewer.list()->currentRow(), 0);
    EXPECT_TRUE(viewer.findNextButton()->isEnabled());

    ui.answerNext(Ui::No);
    viewer.findNextButton()->click();
    EXPECT_EQ(viewer.list()->currentRow(), 0) << "No keeps the highlight";

    // The search window opens with an empty text and the other settings kept.
    whenShown<SearchTextDialog>([](SearchTextDialog* dialog) {
        EXPECT_TRUE(dialog->findWhat()->text().isEmpty());
        EXPECT_TRUE(dialog->wholeWord()->isChecked());
        dialog->reject();
    });
    viewer.findButton()->click();
    EXPECT_FALSE(viewer.findNextButton()->isEnabled());
}

TEST_F(ScriptWindowsTest, PrintsEveryLineOfTheShippedFile) {
    ViewScriptKeys viewer(app, nullptr, QStringLiteral(VELATASK_SHARE_DIR "/KEYCODES.TXT"));
    ASSERT_TRUE(viewer.load());
    EXPECT_GT(viewer.list()->count(), 623);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QDir(m_dir.path()).filePath(QStringLiteral("keys.pdf"));
    printer.setOutputFileName(pdf);
    const int pages = viewer.print(printer);
    EXPECT_GT(pages, 5);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("/Type /Page\n"), pages);
}

TEST_F(ScriptWindowsTest, TheScriptListShowsTheTasksStepsAndMovesThem) {
    const auto step = [&](std::int32_t task, std::int32_t sequence, const char* action,
                          const char* keys = "", int seconds = 0) {
        store.SCR.clearBuffer();
        store.SCR.buffer().ID = task;
        store.SCR.buffer().Sequence = sequence;
        store.SCR.buffer().Action = QLatin1String(action);
        store.SCR.buffer().Keystrokes = QLatin1String(keys);
        store.SCR.buffer().SecondsToWait = seconds;
        ASSERT_EQ(store.SCR.add(), 0);
    };
    step(4, 9, "Wait", "", 1);
    step(5, 1, "Send Keystrokes", "abc");
    step(5, 2, "Wait", "", 15);
    step(5, 5, "Close Program");
    step(6, 1, "Send Keystrokes", "other");
    store.SCH.buffer().ID = 5;
    AddScripting window(app);
    window.resize(600, 300);
    window.show();
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Scripting"));
    EXPECT_TRUE(Accessibility::unnamedControls(&window).isEmpty())
        << Accessibility::unnamedControls(&window).join(", ").toStdString();
    const auto rows = [&] {
        QStringList shown;
        const BrowseModel& model = window.list()->model();
        for (int r = 0; r < model.rowCount(); ++r) {
            shown << model.data(model.index(r, 0), Qt::DisplayRole).toString() + u'|' +
                         model.data(model.index(r, 1), Qt::DisplayRole).toString();
        }
        return shown;
    };
    EXPECT_EQ(rows(), (QStringList{"Send Keystrokes|abc", "Wait|15 seconds", "Close Program|"}));

    // The last step moves up past the wait, taking the number next to its own.
    QTest::keyClick(window.list()->view(), Qt::Key_End);
    window.move(true);
    EXPECT_EQ(rows(), (QStringList{"Send Keystrokes|abc", "Close Program|", "Wait|15 seconds"}));
    EXPECT_EQ(steps(5), (QStringList{"1 Send Keystrokes abc ", "4 Close Program  ", "5 Wait  "}));
    // The first step does not move up, the last not down, whatever other tasks hold.
    QTest::keyClick(window.list()->view(), Qt::Key_Home);
    window.move(true);
    QTest::keyClick(window.list()->view(), Qt::Key_End);
    window.move(false);
    EXPECT_EQ(steps(5).size(), 3);
    EXPECT_EQ(steps(4), QStringList{"9 Wait  "});
    EXPECT_EQ(steps(6), QStringList{"1 Send Keystrokes other "});
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ScriptWindowsTest, AnEmptyScriptOffersOnlyToAdd) {
    store.SCH.buffer().ID = 8;
    AddScripting window(app);
    ASSERT_TRUE(window.open());
    QStringList enabled;
    const std::unique_ptr<QMenu> menu = window.recordMenu();
    for (QAction* item : menu->actions()) {
        enabled << item->text() + (item->isEnabled() ? "+" : "-");
    }
    EXPECT_EQ(enabled, (QStringList{"&Add+", "&Change-", "&Delete-"}));
    EXPECT_FALSE(window.button(QStringLiteral("&Change"))->isEnabled());
}
