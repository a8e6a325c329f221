// "Search the Schedule" driven as a user would: examples and match types, the action dialog,
// selections in tag set 1, stepping through matches.
#include "../ui/WindowFixture.h"

#include "core/Date.h"
#include "store/Tags.h"
#include "ui/Accessibility.h"
#include "windows/MatchTypeDialog.h"
#include "windows/SearchActionDialog.h"
#include "windows/SearchField.h"
#include "windows/SearchSchedule.h"
#include "windows/UpperLimitDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <set>

using namespace velatask;

namespace {

// Steps run one after the other, each once the modal window it waits for is on top: so a test
// can answer the dialogs that the window opens from inside its own handlers. A step runs outside
// the poll's own slot, since a timer does not fire again while its slot is still running and
// the step may open a dialog of its own; and a window takes its next step only once its earlier
// step has returned, since a dialog that step opened may have closed before the next one opens.
class ModalScript {
public:
    template <class W> void then(std::function<void(W&)> act) {
        m_steps.push_back({[](QWidget* top) { return qobject_cast<W*>(top) != nullptr; },
                           [act](QWidget* top) { act(*qobject_cast<W*>(top)); }});
    }
    // Runs the steps while `body` runs; whatever is still open at the end is closed.
    void run(const std::function<void()>& body) {
        QTimer poll;
        QDeadlineTimer deadline(60000);
        bool queued = false;
        std::vector<QWidget*> running;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (deadline.hasExpired()) {
                ADD_FAILURE() << "a step never came: " << m_steps.size() << " left";
                m_steps.clear();
            }
            if (queued || !top || std::find(running.begin(), running.end(), top) != running.end()) {
                return;
            }
            if (!m_steps.empty() && m_steps.front().ready(top)) {
                queued = true;
                QTimer::singleShot(0, top, [&queued, &running, step = m_steps.front(), top] {
                    queued = false;
                    running.push_back(top);
                    step.act(top);
                    running.pop_back();
                });
                m_steps.pop_front();
            } else if (m_steps.empty() && running.empty()) {
                qobject_cast<QDialog*>(top)->reject();
            }
        });
        poll.start(5);
        body();
        EXPECT_TRUE(m_steps.empty());
    }

private:
    struct Step {
        std::function<bool(QWidget*)> ready;
        std::function<void(QWidget*)> act;
    };
    std::deque<Step> m_steps;
};

class SearchScheduleTest : public WindowFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(store.SCH.open(), 0);
        ASSERT_EQ(store.CAT.open(), 0);
        for (const char* name : {"Home", "Work"}) {
            store.CAT.buffer().Category = QLatin1String(name);
            ASSERT_EQ(store.CAT.add(), 0);
        }
        const char* categories[] = {"Work", "Home", "work", "Errands"};
        for (int i = 1; i <= 12; ++i) {
            ScheduleRecord r;
            r.ID = i;
            r.TaskType = QStringLiteral("Both");
            r.Category = QLatin1String(categories[i % 4]);
            r.Description = QStringLiteral("Task %1").arg(i);
            r.Date = Date::fromYmd(1999, 1 + i % 6, i);
            r.Time = 100;
            r.LastRunDate = Date::fromYmd(1998, 12, i);
            store.SCH.buffer() = r;
            ASSERT_EQ(store.SCH.add(), 0);
            m_positions[i] = store.SCH.pointer();
        }
    }
    void TearDown() override {
        store.CAT.close();
        store.SCH.close();
    }

    // The task numbers of the tasks tagged in set 1.
    std::set<int> selected() {
        Tags tags(store);
        std::set<int> ids;
        for (auto p = tags.firstTag(1); p != 0; p = tags.nextTag(1)) {
            for (const auto& [id, position] : m_positions) {
                if (position == p) {
                    ids.insert(id);
                }
            }
        }
        return ids;
    }
    std::set<int> idsWhere(const std::function<bool(int)>& test) const {
        std::set<int> ids;
        for (const auto& [id, position] : m_positions) {
            if (test(id)) {
                ids.insert(id);
            }
        }
        return ids;
    }

    static void example(SearchSchedule& w, const QString& field, const QVariant& value,
                        MatchType type = MatchType::Equals) {
        w.field(field)->showValue(value);
        w.field(field)->setType(type);
    }

    QStringList boxTexts() const {
        QStringList texts;
        for (const MessageBoxSpec& box : ui.boxes()) {
            texts << box.text;
        }
        return texts;
    }

    std::map<int, std::int64_t> m_positions;
};

// A search started from the window: the action dialog is answered with `action`.
void search(ModalScript& script, SearchActionDialog::Action action) {
    script.then<SearchActionDialog>([action](SearchActionDialog& d) { d.button(action)->click(); });
}

TEST_F(SearchScheduleTest, SelectingTwiceAccumulatesUnlessOldSelectionsAreCleared) {
    SearchSchedule window(store, ini);
    ModalScript script;
    auto categoryIs = [](const char* name) {
        return [name](int id) {
            const char* categories[] = {"work", "home", "work", "errands"};
            return QLatin1String(categories[id % 4]) == QLatin1String(name);
        };
    };
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        EXPECT_TRUE(Accessibility::unnamedControls(&w).isEmpty())
            << Accessibility::unnamedControls(&w).join(", ").toStdString();
        example(w, "Category", "WORK"); // either spelling of the category
        w.beginSearch();
    });
    search(script, SearchActionDialog::Select);
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        EXPECT_EQ(selected(), idsWhere(categoryIs("work")));
        EXPECT_EQ(w.foundLine()->text(), "6 Found");
        example(w, "Category", "Home");
        ui.answerNext(Ui::No);
        w.beginSearch();
    });
    search(script, SearchActionDialog::Select);
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        std::set<int> both = idsWhere(categoryIs("work"));
        both.merge(idsWhere(categoryIs("home")));
        EXPECT_EQ(selected(), both);
        ui.answerNext(Ui::Yes);
        w.beginSearch();
    });
    search(script, SearchActionDialog::Select);
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        EXPECT_EQ(selected(), idsWhere(categoryIs("home")));
        w.beginSearch();
    });
    search(script, SearchActionDialog::Unselect);
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        EXPECT_TRUE(selected().empty());
        w.okButton()->click();
    });
    Response response = Response::Cancelled;
    script.run([&] { response = window.run(); });
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(boxTexts(),
              (QStringList{"Clear old selections first?", "Clear old selections first?"}));
}

// The category list of the search is read without moving the shared Categories record, which
// the category lists and the windows that follow them show.
TEST_F(SearchScheduleTest, CategoryListLeavesTheSharedCategoryRecordAlone) {
    store.CAT.buffer().Category = QStringLiteral("Home");
    SearchSchedule window(store, ini);
    ModalScript script;
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        auto* list = qobject_cast<QComboBox*>(w.field(QStringLiteral("Category"))->control());
        ASSERT_NE(list, nullptr);
        QStringList names;
        for (int i = 0; i < list->count(); ++i) {
            names << list->itemText(i);
        }
        EXPECT_EQ(names, QStringList({QString(), QStringLiteral("Home"), QStringLiteral("Work")}));
        EXPECT_EQ(store.CAT.buffer().Category, QStringLiteral("Home"));
        w.reject();
    });
    script.run([&] { window.run(); });
    EXPECT_EQ(store.CAT.buffer().Category, QStringLiteral("Home"));
}

// Without the task form's "Browse" beside it, the command field is as wide as the directory field
// under it: the two right edges line up.
TEST_F(SearchScheduleTest, TheCommandReachesAsFarAsTheDirectoryBelowIt) {
    SearchSchedule window(store, ini);
    ModalScript script;
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        QWidget* command = w.field(QStringLiteral("Command"))->control();
        QWidget* path = w.field(QStringLiteral("Path"))->control();
        const auto rightEdge = [&w](QWidget* control) {
            return control->mapTo(&w, QPoint(control->width(), 0)).x();
        };
        EXPECT_EQ(rightEdge(command), rightEdge(path));
        EXPECT_GT(command->width(), 0);
        w.reject();
    });
    script.run([&] { window.run(); });
}

TEST_F(SearchScheduleTest, EditStepsThroughTheMatchesToTheEndAndShowsTheExamplesAgain) {
    SearchSchedule window(store, ini);
    ModalScript script;
    QStringList shown;
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        example(w, "Date", qlonglong(Date::fromYmd(1999, 3, 20)), MatchType::MonthOfYear);
        w.beginSearch();
    });
    search(script, SearchActionDialog::Edit);
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        EXPECT_EQ(w.beginButton()->text(), "&Find Next");
        EXPECT_EQ(w.searchTypeButton()->text(), "&Edit This");
        while (w.stepping()) {
            shown << w.field("Description")->value()->toString();
            EXPECT_EQ(store.SCH.buffer().Description, shown.back()); // loaded for editing
            w.beginSearch();
        }
        EXPECT_EQ(w.beginButton()->text(), "&Begin Search");
        EXPECT_EQ(w.field("Date")->value()->toLongLong(), Date::fromYmd(1999, 3, 20));
        EXPECT_EQ(w.field("Description")->value()->toString(), "");
        w.cancelButton()->click();
    });
    Response response = Response::Completed;
    script.run([&] { response = window.run(); });
    EXPECT_EQ(response, Response::Cancelled);
    // Due in March: tasks 2 and 8 (month 1 + id % 6 == 3).
    EXPECT_EQ(shown, (QStringList{"Task 2", "Task 8"}));
    EXPECT_EQ(boxTexts(), QStringList{"There are no more matching records!"});
    EXPECT_EQ(window.editPosition(), 0);
}

TEST_F(SearchScheduleTest, EditThisEndsTheSearchWithTheTaskInTheScheduleBuffer) {
    SearchSchedule window(store, ini);
    ModalScript script;
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        example(w, "Description", "task 1", MatchType::BeginsWith);
        w.beginSearch();
    });
    search(script, SearchActionDialog::Edit);
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        w.beginSearch(); // "Task 1", then "Task 10"
    });
    script.then<SearchSchedule>([&](SearchSchedule& w) { w.searchTypeButton()->click(); });
    Response response = Response::Cancelled;
    script.run([&] { response = window.run(); });
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(store.SCH.buffer().ID, 10);
    EXPECT_EQ(window.editPosition(), m_positions[10]);
    EXPECT_TRUE(selected().empty()); // nothing was tagged or written
}

TEST_F(SearchScheduleTest, SearchTypeSetsTheFocusedFieldsTypeAndRangeLimits) {
    SearchSchedule window(store, ini);
    ModalScript script;
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        w.tabs()->setCurrentIndex(SearchSchedule::WhenTab);
        w.beginButton()->setFocus();
        w.chooseSearchType();
        EXPECT_EQ(boxTexts(), QStringList{"You must select a data field first!"});
        w.beginSearch();
        EXPECT_EQ(boxTexts().last(), "You must specify at least one search field!");
        w.field("Date")->focusControl()->setFocus();
        w.searchTypeButton()->setFocus(); // a click takes the focus first
        w.chooseSearchType();
    });
    script.then<MatchTypeDialog>([](MatchTypeDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Match Type for DATE Field");
        d.button(MatchType::InsideRange)->click();
        d.accept();
    });
    script.then<UpperLimitDialog>([](UpperLimitDialog& d) {
        d.lowerEdit()->setText("Feb 1, 1999");
        d.upperEdit()->setText("Apr 1, 1999");
        d.accept();
    });
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        SearchField* date = w.field("Date");
        EXPECT_EQ(date->type(), MatchType::InsideRange);
        EXPECT_EQ(date->mark()->text(), QStringLiteral("\u2194"));
        EXPECT_EQ(date->value()->toLongLong(), Date::fromYmd(1999, 2, 1));
        EXPECT_EQ(date->upper().toLongLong(), Date::fromYmd(1999, 4, 1));
        // Typing in a field that takes no part makes it an "equals".
        auto* edit = qobject_cast<QLineEdit*>(w.field("Description")->focusControl());
        edit->setFocus();
        QTest::keyClicks(edit, "Task 1");
        EXPECT_EQ(w.field("Description")->mark()->text(), "=");
        w.field("Description")->setType(MatchType::Ignore);
        w.beginSearch();
    });
    search(script, SearchActionDialog::Select);
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        // Inside the range, both limits included: Feb 1 .. Apr 1.
        EXPECT_EQ(selected(), idsWhere([](int id) {
                      const std::int32_t d = Date::fromYmd(1999, 1 + id % 6, id);
                      return d >= Date::fromYmd(1999, 2, 1) && d <= Date::fromYmd(1999, 4, 1);
                  }));
        example(w, "Description", "nothing like it");
        w.beginSearch();
    });
    search(script, SearchActionDialog::Select);
    script.then<SearchSchedule>([&](SearchSchedule& w) { w.okButton()->click(); });
    script.run([&] { window.run(); });
    EXPECT_EQ(boxTexts().mid(2),
              (QStringList{"Clear old selections first?", "There are no matching records!"}));
}

// Where controls of one tab, the tabs and the buttons below share a key, pressing it again and
// again reaches each of them in turn, another tab last since it hides the rest; "&Search Type"
// comes first, so that it takes the type of the field the user is in.
TEST_F(SearchScheduleTest, EveryMnemonicOfATabIsReachedByPressingItsKeyAgain) {
    struct Claim {
        QString text;
        QWidget* target; // null: the tab of that text
    };
    SearchSchedule window(store, ini);
    ModalScript script;
    script.then<SearchSchedule>([&](SearchSchedule& w) {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        for (const int tab :
             {SearchSchedule::TaskTab, SearchSchedule::WhenTab, SearchSchedule::AdvancedTab}) {
            w.tabs()->setCurrentIndex(tab);
            std::map<int, std::vector<Claim>> claims; // by key
            auto claim = [&](const QString& text, QWidget* target) {
                const QKeySequence key = QKeySequence::mnemonic(text);
                if (!key.isEmpty()) {
                    claims[key[0].toCombined()].push_back({text, target});
                }
            };
            for (QWidget* c : w.findChildren<QWidget*>()) {
                if (!c->isVisibleTo(&w)) {
                    continue;
                }
                if (auto* label = qobject_cast<QLabel*>(c); label && label->buddy()) {
                    claim(label->text(), label->buddy());
                } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
                    claim(button->text(), button);
                } else if (auto* group = qobject_cast<QGroupBox*>(c)) {
                    claim(group->title(), group);
                }
            }
            for (int other = 0; other < w.tabs()->count(); ++other) {
                if (other != tab) {
                    claim(w.tabs()->tabText(other), nullptr);
                }
            }
            for (const auto& [key, claimants] : claims) {
                if (claimants.size() < 2) {
                    continue;
                }
                QStringList reached;
                for (size_t press = 0; press < claimants.size(); ++press) {
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w,
                                    Qt::Key(key & ~Qt::KeyboardModifierMask),
                                    Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
                    QWidget* focus = QApplication::focusWidget();
                    for (const Claim& c : claimants) {
                        const bool hit =
                            c.target ? focus && (focus == c.target || c.target->isAncestorOf(focus))
                                     : w.tabs()->currentIndex() != tab &&
                                           w.tabs()->tabText(w.tabs()->currentIndex()) == c.text;
                        if (hit && !reached.contains(c.text)) {
                            reached << c.text;
                        }
                    }
                    if (w.tabs()->currentIndex() != tab) {
                        w.tabs()->setCurrentIndex(tab);
                        break;
                    }
                }
                QStringList all;
                for (const Claim& c : claimants) {
                    all << c.text;
                }
                std::sort(all.begin(), all.end());
                std::sort(reached.begin(), reached.end());
                EXPECT_EQ(reached, all) << "tab " << tab;
            }
        }
        w.tabs()->setCurrentIndex(SearchSchedule::WhenTab);
        w.field("Date")->focusControl()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), w.searchTypeButton());
        // The buttons follow the last control of the tabs.
        w.tabs()->setCurrentIndex(SearchSchedule::AdvancedTab);
        w.field("Disabled")->focusControl()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), w.searchTypeButton());
        w.reject();
    });
    script.run([&] { window.run(); });
}

} // namespace
