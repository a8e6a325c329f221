#include "../ui/WindowFixture.h"

#include "store/Procedures.h"
#include "ui/Accessibility.h"
#include "windows/UpdateCategories.h"

#include <QLineEdit>
#include <QPushButton>

using namespace velatask;

namespace {

class CategoriesTest : public WindowFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(store.CAT.open(), 0);
        ASSERT_EQ(store.SCH.open(), 0);
        for (const char* name : {"Home", "Work"}) {
            store.CAT.buffer().Category = QLatin1String(name);
            ASSERT_EQ(store.CAT.add(), 0);
        }
        ScheduleRecord task;
        task.ID = 1;
        task.Category = QStringLiteral("work"); // filed under the name in other letters
        task.Description = QStringLiteral("report");
        store.SCH.buffer() = task;
        ASSERT_EQ(store.SCH.add(), 0);
    }
    void TearDown() override {
        store.SCH.close();
        store.CAT.close();
    }

    // Makes the category current in the shared buffer, as a browse does before a form.
    void load(const QString& name) {
        store.CAT.clearBuffer();
        store.CAT.buffer().Category = name;
        store.CAT.watch();
        ASSERT_EQ(store.CAT.fetch(CategoryKey::KeyCategory), 0) << name.toStdString();
    }

    QStringList names() {
        QStringList all;
        store.CAT.setStart(CategoryKey::KeyCategory);
        while (store.CAT.next() == 0) {
            all << store.CAT.buffer().Category;
        }
        return all;
    }

    Response edit(Request request, const QString& typed) {
        UpdateCategories form(store, ini, request);
        return runForm(form, [&](FormWindow&) {
            form.category()->setText(typed);
            form.okButton()->click();
        });
    }
};

} // namespace

TEST_F(CategoriesTest, ANameDifferingOnlyInLetterCaseIsADuplicate) {
    {
        UpdateCategories form(store, ini, Request::Insert);
        EXPECT_EQ(runForm(form,
                          [&](FormWindow&) {
                              EXPECT_EQ(form.windowTitle(),
                                        QStringLiteral("Adding a Categories Record"));
                              EXPECT_TRUE(Accessibility::unnamedControls(&form).isEmpty())
                                  << Accessibility::unnamedControls(&form).join(", ").toStdString();
                              form.category()->setText(QStringLiteral("WORK"));
                              form.okButton()->click();
                              EXPECT_TRUE(form.isVisible()) << "the form stays open";
                          }),
                  Response::Cancelled);
    }
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Duplicate Key Error")});
    EXPECT_EQ(
        ui.boxes().front().text,
        QStringLiteral("Adding this record creates a duplicate entry for the key:By Category"));
    EXPECT_EQ(edit(Request::Insert, QStringLiteral("Leisure")), Response::Completed);
    EXPECT_EQ(names(), (QStringList{"Home", "Leisure", "Work"}));
}

TEST_F(CategoriesTest, AUsedNameCanNeitherBeRenamedNorDeleted) {
    load(QStringLiteral("Work"));
    {
        UpdateCategories form(store, ini, Request::Change);
        runForm(form, [&](FormWindow&) {
            form.category()->setText(QStringLiteral("Office"));
            form.okButton()->click();
            EXPECT_EQ(form.category()->text(), QStringLiteral("Work")) << "the old name is back";
        });
    }
    // The refusal, then the form's own offer to save again (Cancel: back to the form).
    EXPECT_EQ(boxTitles(),
              (QStringList{"Referential Integrity Update Error", "Record Update Error"}));

    ui.clear();
    load(QStringLiteral("Work"));
    ui.answerNext(Ui::Ok);
    EXPECT_EQ(UpdateCategories(store, ini, Request::Delete).run(), Response::Cancelled);
    EXPECT_EQ(boxTitles(), (QStringList{"Confirm Delete", "Referential Integrity Delete Error",
                                        "Record Update Error"}));
    EXPECT_EQ(names(), (QStringList{"Home", "Work"}));

    // An unused one is renamed, and deleted once the user confirms.
    load(QStringLiteral("Home"));
    EXPECT_EQ(edit(Request::Change, QStringLiteral("House")), Response::Completed);
    load(QStringLiteral("House"));
    ui.answerNext(Ui::Cancel);
    EXPECT_EQ(UpdateCategories(store, ini, Request::Delete).run(), Response::Cancelled);
    load(QStringLiteral("House"));
    ui.answerNext(Ui::Ok);
    EXPECT_EQ(UpdateCategories(store, ini, Request::Delete).run(), Response::Completed);
    EXPECT_EQ(names(), QStringList{QStringLiteral("Work")});
}

TEST_F(CategoriesTest, TheFormRemembersItsPlace) {
    load(QStringLiteral("Home"));
    {
        UpdateCategories form(store, ini, Request::Change);
        runForm(form, [&](FormWindow&) {
            form.setGeometry(40, 50, 320, 140);
            form.cancelButton()->click();
        });
    }
    EXPECT_EQ(ini.readNumber(QStringLiteral("UpdateCategories"), QStringLiteral("XPosit")), 40);
    EXPECT_EQ(ini.readNumber(QStringLiteral("UpdateCategories"), QStringLiteral("Width")), 320);
    UpdateCategories again(store, ini, Request::Change);
    runForm(again, [&](FormWindow&) { EXPECT_EQ(again.geometry(), QRect(40, 50, 320, 140)); });
    EXPECT_EQ(ini.read(QStringLiteral("UpdateCategories"), QStringLiteral("Maximize")),
              QStringLiteral("No"));
}
