#include "../ui/WindowFixture.h"

#include "../support/WaitFor.h"
#include "ui/Accessibility.h"
#include "ui/StepRangeSpinBox.h"
#include "windows/UpdateTodo.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velatask;

namespace {

class ToDoTest : public WindowFixture {
protected:
    void SetUp() override { ASSERT_EQ(store.TDO.open(), 0); }
    void TearDown() override { store.TDO.close(); }

    std::int64_t addItem(const QString& text, int priority, int done = 0) {
        store.TDO.buffer() = ToDoRecord{std::uint8_t(done), std::uint8_t(priority), text};
        EXPECT_EQ(store.TDO.add(), 0);
        return store.TDO.pointer();
    }
    void load(std::int64_t position) {
        store.TDO.watch();
        ASSERT_EQ(store.TDO.reget(QString::number(position)), 0);
    }
    ToDoRecord stored(std::int64_t position) {
        Store& reader = otherStation();
        EXPECT_EQ(reader.TDO.open(), 0);
        EXPECT_EQ(reader.TDO.reget(QString::number(position)), 0);
        const ToDoRecord r = reader.TDO.buffer();
        reader.TDO.close();
        return r;
    }
};

} // namespace

TEST_F(ToDoTest, ANewItemStartsAtFiveAndThePriorityMustLieBetweenOneAndTen) {
    UpdateTodo form(store, ini, Request::Insert);
    const Response response = runForm(form, [&](FormWindow&) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Adding To Do Item"));
        EXPECT_EQ(form.priority()->value(), 5);
        EXPECT_FALSE(form.done()->isChecked());
        EXPECT_TRUE(Accessibility::unnamedControls(&form).isEmpty())
            << Accessibility::unnamedControls(&form).join(", ").toStdString();
        form.toDo()->setText(QStringLiteral("call the plumber"));
        // Leaving the field with a value out of range brings the warning and comes back.
        form.activateWindow();
        ASSERT_TRUE(waitFor([&] { return form.isActiveWindow(); }));
        form.priority()->setFocus();
        form.priority()->findChild<QLineEdit*>()->setText(QStringLiteral("12"));
        QTest::keyClick(form.priority(), Qt::Key_Tab);
        EXPECT_EQ(ui.boxes().size(), 1u);
        EXPECT_TRUE(form.priority()->hasFocus());
        for (const char* typed : {"0", "11"}) {
            form.priority()->findChild<QLineEdit*>()->setText(QLatin1String(typed));
            form.okButton()->click();
            EXPECT_TRUE(form.isVisible()) << typed;
        }
        form.priority()->stepBy(20);
        EXPECT_EQ(form.priority()->value(), 10) << "the arrows stop at 10";
        form.priority()->findChild<QLineEdit*>()->setText(QStringLiteral("7"));
        form.okButton()->click();
    });
    EXPECT_EQ(response, Response::Completed);
    ASSERT_EQ(ui.boxes().size(), 3u);
    for (const MessageBoxSpec& box : ui.boxes()) {
        EXPECT_EQ(box.title, QStringLiteral("Range Error"));
        EXPECT_EQ(box.text, QStringLiteral("The value of tDo:Priority must be between 1 and 10."));
    }
    EXPECT_EQ(stored(store.TDO.pointer()), (ToDoRecord{0, 7, QStringLiteral("call the plumber")}));
}

TEST_F(ToDoTest, OkWithoutAChangeWritesNothing) {
    const std::int64_t item = addItem(QStringLiteral("water the plants"), 3);
    load(item);
    // Another station changes the item meanwhile: a write from this form would meet it.
    Store& other = otherStation();
    ASSERT_EQ(other.TDO.open(), 0);
    ASSERT_EQ(other.TDO.reget(QString::number(item)), 0);
    other.TDO.buffer().Priority = 4;
    ASSERT_EQ(other.TDO.put(), 0);
    other.TDO.close();

    UpdateTodo form(store, ini, Request::Change);
    EXPECT_EQ(runForm(form, [&](FormWindow&) { form.okButton()->click(); }), Response::Cancelled);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(stored(item).Priority, 4);
}

TEST_F(ToDoTest, AChangeThatMeetsAnotherStationsShowsTheirVersion) {
    const std::int64_t item = addItem(QStringLiteral("book flights"), 2);
    load(item);
    UpdateTodo form(store, ini, Request::Change);
    const Response response = runForm(form, [&](FormWindow&) {
        Store& other = otherStation();
        ASSERT_EQ(other.TDO.open(), 0);
        ASSERT_EQ(other.TDO.reget(QString::number(item)), 0);
        other.TDO.buffer().ToDo = QStringLiteral("book trains");
        ASSERT_EQ(other.TDO.put(), 0);
        other.TDO.close();

        form.done()->setChecked(true);
        form.okButton()->click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.toDo()->text(), QStringLiteral("book trains"));
        EXPECT_FALSE(form.done()->isChecked());
        form.done()->setChecked(true);
        form.okButton()->click();
    });
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Update Operation Error")});
    EXPECT_EQ(stored(item), (ToDoRecord{1, 2, QStringLiteral("book trains")}));
}
