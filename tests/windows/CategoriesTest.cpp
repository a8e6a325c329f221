#include "../ui/WindowFixture.h"

#include "store/Procedures.h"
#include "ui/Accessibility.h"
#include "ui/BrowseList.h"
#include "windows/BrowseCategories.h"
#include "windows/SelectCategories.h"
#include "windows/UpdateCategories.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>

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
                              EXPECT_FALSE(form.okButton()->isEnabled()) << "no blank name";
                              EXPECT_EQ(form.focusWidget(), form.category());
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
            form.setGeometry(40, 50, 520, 160);
            form.cancelButton()->click();
        });
    }
    EXPECT_EQ(ini.readNumber(QStringLiteral("UpdateCategories"), QStringLiteral("XPosit")), 40);
    EXPECT_EQ(ini.readNumber(QStringLiteral("UpdateCategories"), QStringLiteral("Width")), 520);
    UpdateCategories again(store, ini, Request::Change);
    runForm(again, [&](FormWindow&) { EXPECT_EQ(again.geometry(), QRect(40, 50, 520, 160)); });
    EXPECT_EQ(ini.read(QStringLiteral("UpdateCategories"), QStringLiteral("Maximize")),
              QStringLiteral("No"));
}

TEST_F(CategoriesTest, TheListAddsAndPicksNamesAndKeepsTheHighlightedOneInTheRecord) {
    BrowseCategories browse(store, ini);
    browse.show();
    ASSERT_TRUE(browse.open());
    EXPECT_FALSE(browse.button(QStringLiteral(" &Schedule"))->isEnabled());
    EXPECT_TRUE(Accessibility::unnamedControls(&browse).isEmpty())
        << Accessibility::unnamedControls(&browse).join(", ").toStdString();
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<UpdateCategories*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->category()->setText(QStringLiteral("Garden"));
        form->okButton()->click();
    });
    QTest::keyClick(browse.list()->view(), Qt::Key_Insert);
    ASSERT_NE(browse.list()->currentRow(), nullptr);
    EXPECT_EQ(browse.list()->currentRow()->values.at(0).toString(), QStringLiteral("Garden"));
    QTest::keyClick(browse.list()->view(), Qt::Key_Down);
    EXPECT_EQ(store.CAT.buffer().Category, QStringLiteral("Home")) << "the highlighted name";

    SelectCategories pick(store, ini);
    QTimer::singleShot(0, [&] {
        QTest::keyClicks(pick.list()->view(), QStringLiteral("w"));
        QTest::keyClick(pick.list()->view(), Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_EQ(pick.call(&browse), Response::Completed);
    EXPECT_EQ(store.CAT.buffer().Category, QStringLiteral("Work"));
    EXPECT_EQ(pick.windowTitle(), QStringLiteral("Select a Category"));
}

TEST_F(CategoriesTest, AListOpenedInTheFrameIsShownWholeWhereverItWasLeft) {
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    ASSERT_EQ(area.viewport()->size(), QSize(800, 600));
    const struct {
        QRect saved;
        QPoint shown;
    } cases[] = {
        {{20, 30, 460, 300}, {20, 30}},     // fits: left where it was
        {{600, 450, 460, 300}, {340, 300}}, // beyond the right and bottom edges: moved in
        {{100, 100, 900, 700}, {0, 0}},     // larger than the area: from its top left corner
    };
    const QString section = QStringLiteral("BrowseCategories");
    for (const auto& c : cases) {
        ini.write(section, QStringLiteral("XPosit"), QString::number(c.saved.x()));
        ini.write(section, QStringLiteral("YPosit"), QString::number(c.saved.y()));
        ini.write(section, QStringLiteral("Width"), QString::number(c.saved.width()));
        ini.write(section, QStringLiteral("Height"), QString::number(c.saved.height()));
        auto* browse = new BrowseCategories(store, ini);
        ASSERT_TRUE(browse->open());
        QMdiSubWindow* sub = browse->showIn(&area);
        EXPECT_EQ(sub->pos(), c.shown) << c.saved.x() << "," << c.saved.y();
        EXPECT_EQ(sub->size(), c.saved.size()) << "the size stays as it was left";
        delete sub;
    }
}
