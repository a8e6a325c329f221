#include "../support/WaitFor.h"
#include "VectorPageSource.h"
#include "WindowFixture.h"

#include "settings/IniFile.h"
#include "ui/Accessibility.h"
#include "ui/BrowseList.h"
#include "ui/BrowsePager.h"
#include "ui/BrowseWindow.h"

#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace velatask;

namespace {

const ListFormat kFormat = *ListFormat::parse(QStringLiteral("30R|M~Key~@n6@80L|M~Text~@s20@"));

int currentKey(const BrowseList& list) {
    return list.currentRow() ? list.currentRow()->key.at(0).toInt() : -1;
}

class BrowseListTest : public ::testing::Test {
protected:
    BrowseListTest() : list(source, kFormat) {
        list.model().setValueColumns({0, 1});
        list.resize(400, 12 * list.view()->verticalHeader()->defaultSectionSize() +
                             list.view()->horizontalHeader()->sizeHint().height() + 8);
        list.show();
        EXPECT_TRUE(waitFor([&] { return list.isVisible(); }));
        EXPECT_EQ(list.start(), 0);
    }
    VectorPageSource source{100000};
    BrowseList list;
};

} // namespace

TEST_F(BrowseListTest, KeysMoveThroughTheRangeAndTypingLocates) {
    const int rows = list.pager().capacity();
    ASSERT_GE(rows, 10);
    struct Case {
        const char* keys;
        int key;
        Qt::KeyboardModifiers mods;
        int expected;
    };
    const Case cases[] = {
        {"End", Qt::Key_End, {}, 999990},
        {"Up", Qt::Key_Up, {}, 999980},
        {"Home", Qt::Key_Home, {}, 0},
        {"Page Down", Qt::Key_PageDown, {}, rows * 10},
        {"Down", Qt::Key_Down, {}, rows * 10 + 10},
        {"Page Up", Qt::Key_PageUp, {}, 10},
    };
    for (const Case& c : cases) {
        QTest::keyClick(list.view(), Qt::Key(c.key), c.mods);
        EXPECT_EQ(currentKey(list), c.expected) << c.keys;
        EXPECT_EQ(list.model().rowCount(), rows) << c.keys;
    }
    QTest::keyClicks(list.view(), QStringLiteral("43215"));
    EXPECT_EQ(currentKey(list), 43220);
    EXPECT_EQ(list.view()->currentIndex().row(), 0) << "the view highlights the same row";
    EXPECT_EQ(list.model().data(list.model().index(0, 0), Qt::DisplayRole).toString(),
              QStringLiteral("43220"));
    QTest::keyClick(list.view(), Qt::Key_X); // not a number: the number order stays put
    EXPECT_EQ(currentKey(list), 43220);

    ASSERT_TRUE(waitFor([&] { return list.scrollBar()->value() == 43; }))
        << list.scrollBar()->value();
    list.scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(currentKey(list), 43220 + rows * 10);
}

TEST_F(BrowseListTest, RecordKeysAreHandedToTheWindow) {
    QSignalSpy inserts(&list, &BrowseList::insertPressed);
    QSignalSpy deletes(&list, &BrowseList::deletePressed);
    QSignalSpy changes(&list, &BrowseList::changeRequested);
    QTest::keyClick(list.view(), Qt::Key_Insert);
    QTest::keyClick(list.view(), Qt::Key_Delete);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(list.view(), Qt::Key_Return);
    const QRect second = list.view()->visualRect(list.model().index(1, 1));
    QTest::mouseClick(list.view()->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list.view()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(inserts.count(), 1);
    EXPECT_EQ(deletes.count(), 1);
    EXPECT_EQ(changes.count(), 2) << "Ctrl+Enter and the double click, not Enter alone";
    EXPECT_EQ(currentKey(list), 10);
}

TEST_F(BrowseListTest, AFailingStoreIsReportedOnceAndChangesAreReadAgain) {
    QList<int> reported;
    list.setErrorReporter([&](int code) { reported << code; });
    source.failWith(90);
    EXPECT_EQ(list.act(&BrowsePager::end), 90);
    EXPECT_EQ(list.act([](BrowsePager& p) { return p.page(1); }), 90);
    EXPECT_EQ(reported, QList<int>{90});
    source.failWith(0);
    EXPECT_EQ(list.act(&BrowsePager::end), 0);
    source.failWith(33);
    list.act(&BrowsePager::home);
    EXPECT_EQ(reported, (QList<int>{90, 33}));
    source.failWith(0);

    list.setChangeInterval(10);
    ASSERT_EQ(list.act([](BrowsePager& p) { return p.move(-1); }), 0);
    const int highlighted = currentKey(list);
    source.add(highlighted - 5); // another writer adds a row just above
    ASSERT_TRUE(waitFor([&] {
        return list.pager().rows()[std::size_t(list.pager().current() - 1)].key.at(0).toInt() ==
               highlighted - 5;
    }));
    EXPECT_EQ(currentKey(list), highlighted);
}

TEST_F(BrowseListTest, TheColumnsFollowTheFormatAndCanBeRemembered) {
    const QHeaderView* header = list.view()->horizontalHeader();
    EXPECT_EQ(list.model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Text"));
    EXPECT_GT(header->sectionSize(1), header->sectionSize(0) * 2);
    EXPECT_EQ(list.model().data(list.model().index(0, 0), Qt::TextAlignmentRole).toInt() &
                  Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_EQ(header->sectionSize(1), list.view()->viewport()->width() - header->sectionSize(0))
        << "the last column takes the rest";
    list.view()->setColumnWidth(0, header->sectionSize(0) * 2);
    const ListFormat wider = list.layout();
    EXPECT_NEAR(wider.columns().at(0).width, 60, 2);

    BrowseList other(source, kFormat);
    other.applyLayout(wider);
    EXPECT_NEAR(other.view()->columnWidth(0), list.view()->columnWidth(0), 2) << "by dialog units";
}

namespace {

class BrowseWindowTest : public WindowFixture {
protected:
    std::unique_ptr<BrowseWindow> makeWindow(int rows, VectorPageSource** source) {
        auto s = std::make_unique<VectorPageSource>(rows);
        *source = s.get();
        BrowseDeclaration d;
        d.section = QStringLiteral("TestBrowse");
        d.title = QStringLiteral("Test List");
        d.format = kFormat.toString();
        d.size = QSize(200, 150);
        d.tableName = QStringLiteral("Test");
        d.layoutEntry = QStringLiteral("?Browse:1");
        auto w = std::make_unique<BrowseWindow>(store, ini, std::move(s), d);
        w->addTab(BrowseTab{QStringLiteral("&Key"), {}, 0});
        w->list()->model().setValueColumns({0, 1});
        w->addButton(QStringLiteral("&Insert"), [] {});
        w->addButton(
            QStringLiteral("&Change"), [] {}, true);
        w->setRecordMenu({{QStringLiteral("&Insert"), {}, false},
                          {QStringLiteral("&Change"), {}, true},
                          {QStringLiteral("&Delete"), {}, true}});
        return w;
    }
    static QList<bool> enabled(QMenu& menu) {
        QList<bool> states;
        for (QAction* a : menu.actions()) {
            states << a->isEnabled();
        }
        return states;
    }
};

} // namespace

TEST_F(BrowseWindowTest, RecordItemsAreGreyedOnAnEmptyList) {
    VectorPageSource* source = nullptr;
    auto empty = makeWindow(0, &source);
    ASSERT_TRUE(empty->open());
    EXPECT_EQ(enabled(*empty->recordMenu()), (QList<bool>{true, false, false}));
    EXPECT_FALSE(empty->button(QStringLiteral("&Change"))->isEnabled());

    source->add(5);
    empty->list()->reload();
    EXPECT_EQ(enabled(*empty->recordMenu()), (QList<bool>{true, true, true}));
    EXPECT_TRUE(empty->button(QStringLiteral("&Change"))->isEnabled());
    EXPECT_TRUE(Accessibility::unnamedControls(empty.get()).isEmpty())
        << Accessibility::unnamedControls(empty.get()).join(", ").toStdString();
}

TEST_F(BrowseWindowTest, TheColumnLayoutIsRememberedInTheWindowsSection) {
    VectorPageSource* source = nullptr;
    {
        auto w = makeWindow(20, &source);
        ASSERT_TRUE(w->open());
        w->show();
        w->list()->view()->setColumnWidth(0, w->list()->view()->columnWidth(0) + 60);
        w->close();
    }
    const QString saved = ini.read(QStringLiteral("TestBrowse"), QStringLiteral("?Browse:1"));
    const std::optional<ListFormat> layout = ListFormat::parse(saved);
    ASSERT_TRUE(layout) << saved.toStdString();
    EXPECT_GT(layout->columns().at(0).width, 30);
    EXPECT_TRUE(ini.contains(QStringLiteral("TestBrowse"), QStringLiteral("Width")));

    auto again = makeWindow(20, &source);
    ASSERT_TRUE(again->open());
    EXPECT_EQ(again->list()->layout().toString(), saved);
}

TEST(BrowseModel, ValuesThatCannotBeShownAreBlankOrCut) {
    VectorPageSource source(0);
    BrowsePager pager(source);
    const BrowseModel model(pager, *ListFormat::parse(QStringLiteral(
                                       "47L~Date~@d3@32L~Time~@t3@20L~N~@n2@40L~Text~@s5@")));
    struct Case {
        int column;
        QVariant value;
        const char* shown;
    };
    const Case cases[] = {
        {0, 72000, "Feb 13, 1998"},
        {0, 0, ""},
        {0, -5, ""},
        {0, 1000000000, ""},
        {0, "soon", ""},
        {1, 360001, "1:00AM"},
        {1, 0, ""},
        {1, 9000000, ""},
        {2, 7, "7"},
        {2, 123, "##"},
        {2, "x", ""},
        {3, "abcdefgh", "abcde"},
        {3, QVariant(), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(model.cellText(c.column, c.value), QLatin1String(c.shown))
            << c.column << " " << c.value.toString().toStdString();
    }
}
