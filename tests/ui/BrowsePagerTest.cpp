#include "VectorPageSource.h"

#include "ui/BrowsePager.h"

#include <gtest/gtest.h>

#include <functional>

using namespace velatask;

namespace {

// Keys of the rows on screen, first and last, and the highlighted one.
struct Screen {
    int first;
    int last;
    int current;
    bool operator==(const Screen&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Screen& s) {
    return os << "{" << s.first << ".." << s.last << " @" << s.current << "}";
}

// A move followed by highlighting a line.
int then(int code, BrowsePager& p, int line) {
    p.setCurrent(line);
    return code;
}

Screen screenOf(const BrowsePager& p) {
    if (p.isEmpty()) {
        return {-1, -1, -1};
    }
    return {p.rows().front().key.at(0).toInt(), p.rows().back().key.at(0).toInt(),
            p.currentRow()->key.at(0).toInt()};
}

} // namespace

TEST(BrowsePager, MovesOverTheWholeRangeWithTenRowsOnScreen) {
    constexpr int kRows = 1000; // keys 0, 10, ..., 9990
    struct Case {
        const char* name;
        std::function<int(BrowsePager&)> setUp;
        std::function<int(BrowsePager&)> act;
        Screen expected;
    };
    const auto home = [](BrowsePager& p) { return p.home(); };
    const auto end = [](BrowsePager& p) { return p.end(); };
    const Case cases[] = {
        {"home", end, home, {0, 90, 0}},
        {"end", home, end, {9900, 9990, 9990}},
        {"page down keeps the line",
         [](BrowsePager& p) { return then(p.home(), p, 3); },
         [](BrowsePager& p) { return p.page(1); },
         {100, 190, 130}},
        {"page down near the end stops at the last screen",
         [](BrowsePager& p) { return then(p.locate({9850}), p, 2); },
         [](BrowsePager& p) { return p.page(1); },
         {9900, 9990, 9970}},
        {"page down at the end goes to the last row",
         [](BrowsePager& p) { return then(p.end(), p, 4); },
         [](BrowsePager& p) { return p.page(1); },
         {9900, 9990, 9990}},
        {"page up at the start goes to the first row",
         [](BrowsePager& p) { return then(p.home(), p, 4); },
         [](BrowsePager& p) { return p.page(-1); },
         {0, 90, 0}},
        {"page up",
         [](BrowsePager& p) { return then(p.locate({5000}), p, 5); },
         [](BrowsePager& p) { return p.page(-1); },
         {4900, 4990, 4950}},
        {"arrow down at the bottom scrolls one row",
         [](BrowsePager& p) { return then(p.home(), p, 9); },
         [](BrowsePager& p) { return p.move(1); },
         {10, 100, 100}},
        {"arrow up at the top scrolls one row",
         [](BrowsePager& p) { return p.locate({500}); },
         [](BrowsePager& p) { return p.move(-1); },
         {490, 580, 490}},
        {"arrow up on the first row stays",
         home,
         [](BrowsePager& p) { return p.move(-1); },
         {0, 90, 0}},
        {"wheel keeps the highlighted record",
         [](BrowsePager& p) { return then(p.home(), p, 5); },
         [](BrowsePager& p) { return p.scroll(3); },
         {30, 120, 50}},
        {"locator between keys",
         home,
         [](BrowsePager& p) { return p.locate({4321}); },
         {4330, 4420, 4330}},
        {"locator near the end fills the screen",
         home,
         [](BrowsePager& p) { return p.locate({9975}); },
         {9900, 9990, 9980}},
        {"locator beyond every row goes to the end",
         home,
         [](BrowsePager& p) { return p.locate({20000}); },
         {9900, 9990, 9990}},
        {"a record shown nearer the start than its line fills the screen after it",
         [](BrowsePager& p) { return then(p.end(), p, 9); },
         [](BrowsePager& p) { return p.show(3); }, // key 20
         {0, 90, 20}},
        {"thumb to the middle",
         home,
         [](BrowsePager& p) { return p.jump(0.5); },
         {5000, 5090, 5000}},
        {"thumb to the bottom",
         home,
         [](BrowsePager& p) { return p.jump(1.0); },
         {9900, 9990, 9990}},
    };
    for (const Case& c : cases) {
        VectorPageSource source(kRows);
        BrowsePager pager(source);
        pager.setCapacity(10);
        ASSERT_EQ(c.setUp(pager), 0) << c.name;
        ASSERT_EQ(c.act(pager), 0) << c.name;
        EXPECT_EQ(screenOf(pager), c.expected) << c.name;
        EXPECT_EQ(pager.rows().size(), 10u) << c.name;
    }
}

TEST(BrowsePager, ReloadingKeepsTheRecordOnItsLineOrTakesTheNext) {
    VectorPageSource source(100);
    BrowsePager pager(source);
    pager.setCapacity(5);
    ASSERT_EQ(pager.locate({300}), 0);
    pager.setCurrent(2); // key 320
    source.add(315);
    ASSERT_EQ(pager.reload(), 0);
    EXPECT_EQ(screenOf(pager), (Screen{310, 340, 320}));

    source.removeKey(320);
    ASSERT_EQ(pager.reload(), 0);
    EXPECT_EQ(screenOf(pager), (Screen{310, 350, 330})) << "the next record takes its line";

    const std::int64_t far = pager.rows().front().position;
    ASSERT_EQ(pager.end(), 0);
    ASSERT_EQ(pager.show(far), 0);
    EXPECT_EQ(screenOf(pager).current, 310);
    EXPECT_EQ(pager.current(), 4) << "shown on the line that was highlighted";

    source.removeKey(310);
    ASSERT_EQ(pager.show(far), 0) << "a record gone is not an error";
}

TEST(BrowsePager, AFailedReadLeavesTheScreenAsItWas) {
    VectorPageSource source(100);
    BrowsePager pager(source);
    pager.setCapacity(5);
    ASSERT_EQ(pager.home(), 0);
    const Screen before = screenOf(pager);
    source.failWith(90);
    for (const auto& act : std::vector<std::function<int()>>{
             [&] { return pager.end(); }, [&] { return pager.page(1); },
             [&] { return pager.move(10); }, [&] { return pager.locate({500}); },
             [&] { return pager.reload(); }, [&] { return pager.jump(0.5); }}) {
        EXPECT_EQ(act(), 90);
        EXPECT_EQ(screenOf(pager), before);
    }
}

TEST(BrowsePager, AnEmptyListHasNoHighlight) {
    VectorPageSource source(0);
    BrowsePager pager(source);
    pager.setCapacity(5);
    for (const auto& act : std::vector<std::function<int()>>{
             [&] { return pager.home(); }, [&] { return pager.end(); },
             [&] { return pager.page(1); }, [&] { return pager.locate({3}); },
             [&] { return pager.reload(); }}) {
        EXPECT_EQ(act(), 0);
        EXPECT_TRUE(pager.isEmpty());
        EXPECT_EQ(pager.current(), -1);
        EXPECT_EQ(pager.currentRow(), nullptr);
    }
}

TEST(BrowsePager, TheScrollBarIsExactAtBothEndsWithoutAnEstimate) {
    VectorPageSource source(1000);
    BrowsePager pager(source);
    pager.setCapacity(10);
    struct Case {
        const char* name;
        std::function<int()> act;
        double fraction;
        int asks;
    };
    const Case cases[] = {
        {"home", [&] { return pager.home(); }, 0.0, 0},
        {"end", [&] { return pager.end(); }, 1.0, 0},
        {"page up from the end", [&] { return pager.page(-1); }, 0.989, 1},
        {"locator to the middle", [&] { return pager.locate({5000}); }, 0.5, 1},
        {"locator near the top", [&] { return pager.locate({50}); }, 0.005, 1},
        {"page up that reaches the top", [&] { return pager.page(-1); }, 0.0, 0},
    };
    for (const Case& c : cases) {
        source.fractionAsks = 0;
        ASSERT_EQ(c.act(), 0) << c.name;
        EXPECT_NEAR(pager.fraction(), c.fraction, 0.001) << c.name;
        EXPECT_EQ(source.fractionAsks, c.asks) << c.name;
    }
}
