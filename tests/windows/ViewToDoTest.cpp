#include "../support/WaitFor.h"
#include "../ui/WindowFixture.h"

#include "ui/Accessibility.h"
#include "ui/BrowseList.h"
#include "windows/UpdateTodo.h"
#include "windows/ViewToDo.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace velatask;

namespace {

class ViewToDoTest : public WindowFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(store.TDO.open(), 0);
        for (const ToDoRecord& r : {ToDoRecord{1, 2, "pay rent"}, ToDoRecord{0, 7, "Buy milk"},
                                    ToDoRecord{0, 2, "call Anna"}, ToDoRecord{0, 2, "air tyres"},
                                    ToDoRecord{1, 1, "book dentist"}}) {
            store.TDO.buffer() = r;
            ASSERT_EQ(store.TDO.add(), 0);
        }
        window = std::make_unique<ViewToDo>(store, ini);
        window->show();
        ASSERT_TRUE(waitFor([&] { return window->isVisible(); }));
        ASSERT_TRUE(window->open());
    }
    void TearDown() override {
        window.reset();
        store.TDO.close();
    }

    // The rows as "priority text" and whether each shows the done icon.
    QStringList shown() {
        const BrowseModel& model = window->list()->model();
        QStringList rows;
        for (int r = 0; r < model.rowCount(); ++r) {
            const bool done =
                model.data(model.index(r, 0), Qt::DecorationRole).value<QIcon>().cacheKey() ==
                doneIcon().cacheKey();
            rows << QStringLiteral("%1%2 %3")
                        .arg(done ? QStringLiteral("+") : QString())
                        .arg(model.data(model.index(r, 1), Qt::DisplayRole).toString())
                        .arg(model.data(model.index(r, 2), Qt::DisplayRole).toString());
        }
        return rows;
    }
    QIcon doneIcon() {
        const BrowseModel& model = window->list()->model();
        for (int r = 0; r < model.rowCount(); ++r) {
            if (model.data(model.index(r, 2), Qt::DisplayRole).toString() ==
                QStringLiteral("pay rent")) {
                return model.data(model.index(r, 0), Qt::DecorationRole).value<QIcon>();
            }
        }
        return QIcon();
    }
    QString highlighted() {
        const PageSource::Row* row = window->list()->currentRow();
        return row ? row->values.at(2).toString() : QString();
    }

    std::unique_ptr<ViewToDo> window;
};

} // namespace

TEST_F(ViewToDoTest, ThreeOrdersWithTheOpenItemsFirstAndTheHighlightKept) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("To Do List"));
    EXPECT_TRUE(Accessibility::unnamedControls(window.get()).isEmpty())
        << Accessibility::unnamedControls(window.get()).join(", ").toStdString();
    EXPECT_EQ(shown(), (QStringList{"2 air tyres", "2 call Anna", "7 Buy milk", "+1 book dentist",
                                    "+2 pay rent"}));
    const auto spoken = [this](int row) {
        const BrowseModel& model = window->list()->model();
        return model.data(model.index(row, 0), Qt::AccessibleTextRole).toString();
    };
    EXPECT_FALSE(spoken(0).isEmpty()) << "a screen reader says what the icon means";
    EXPECT_NE(spoken(0), spoken(3)) << "an open item and a done one sound different";
    window->list()->act([](BrowsePager& p) { return p.move(2); }); // "Buy milk"
    window->tabs()->setCurrentIndex(1);
    EXPECT_EQ(shown(), (QStringList{"+1 book dentist", "2 air tyres", "2 call Anna", "+2 pay rent",
                                    "7 Buy milk"}));
    EXPECT_EQ(highlighted(), QStringLiteral("Buy milk"));
    window->tabs()->setCurrentIndex(2);
    EXPECT_EQ(shown(), (QStringList{"2 air tyres", "+1 book dentist", "7 Buy milk", "2 call Anna",
                                    "+2 pay rent"}));
    EXPECT_EQ(highlighted(), QStringLiteral("Buy milk"));
    window->list()->act(&BrowsePager::home);
    QTest::keyClicks(window->list()->view(), QStringLiteral("c"));
    EXPECT_EQ(highlighted(), QStringLiteral("call Anna")) << "the locator ignores letter case";
}

TEST_F(ViewToDoTest, TogglingTwiceRestoresTheItemAndItChangesGroup) {
    window->list()->act(&BrowsePager::home); // "air tyres", open
    window->toggleDone();
    EXPECT_EQ(highlighted(), QStringLiteral("air tyres")) << "still highlighted in its new group";
    EXPECT_EQ(shown().last(), QStringLiteral("+2 pay rent"));
    EXPECT_TRUE(shown().contains(QStringLiteral("+2 air tyres")));
    window->toggleDone();
    EXPECT_EQ(shown().first(), QStringLiteral("2 air tyres"));
    EXPECT_TRUE(ui.boxes().empty()) << "the toggle asks nothing";
}

TEST_F(ViewToDoTest, AFormReturnsToTheRecordItWrote) {
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<UpdateTodo*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->toDo()->setText(QStringLiteral("wash car"));
        form->okButton()->click();
    });
    EXPECT_EQ(window->update(Request::Insert), Response::Completed);
    EXPECT_EQ(highlighted(), QStringLiteral("wash car"));
    EXPECT_EQ(shown().at(window->list()->pager().current()), QStringLiteral("5 wash car"));

    ui.answerNext(Ui::Ok);
    EXPECT_EQ(window->update(Request::Delete), Response::Completed);
    EXPECT_EQ(highlighted(), QStringLiteral("Buy milk")) << "the next one takes its place";
    EXPECT_EQ(window->list()->model().rowCount(), 5);
}

TEST_F(ViewToDoTest, TheColumnLayoutIsRememberedUnderItsEntry) {
    window->list()->view()->setColumnWidth(1, 77);
    window->resize(window->width() + 300, window->height()); // the last column stretches
    window->close();
    const std::optional<ListFormat> saved =
        ListFormat::parse(ini.read(QStringLiteral("ViewToDo"), QStringLiteral("?Browse:1")));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->columns().last().width,
              window->list()->model().format().columns().last().width)
        << "the stretched last column is not kept, so a narrower window shows it whole";
    ViewToDo again(store, ini);
    ASSERT_TRUE(again.open());
    EXPECT_NEAR(again.list()->view()->columnWidth(1), 77, 2);
}
