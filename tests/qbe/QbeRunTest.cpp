// A search as the progress window runs it: what each slice tags, untags or stops at.
#include "QbeFixture.h"

#include "core/Date.h"
#include "qbe/QbeRun.h"
#include "qbe/QbeScan.h"
#include "store/Tags.h"
#include "store/Transaction.h"

#include <set>

namespace velatask {
namespace {

class QbeRunTest : public QbeFixture {
protected:
    std::set<std::int64_t> tagged() {
        Tags tags(store());
        std::set<std::int64_t> out;
        for (auto p = tags.firstTag(1); p != 0; p = tags.nextTag(1)) {
            out.insert(p);
        }
        return out;
    }
};

TEST_F(QbeRunTest, EachSliceWritesAFewTagsOrStopsAtOneMatch) {
    Transaction tx(store());
    ASSERT_EQ(tx.begin(), 0);
    std::set<std::int64_t> work;
    for (int i = 1; i <= 90; ++i) {
        ASSERT_EQ(addTask(store().SCH, task(i, i % 3 == 0 ? "Home" : "Work", "Task",
                                            Date::fromYmd(1999, 1, 1) + i, 100)),
                  0);
        if (i % 3 != 0) {
            work.insert(store().SCH.pointer());
        }
    }
    ASSERT_EQ(tx.commit(), 0);
    const std::vector<Criterion> criteria{
        {"Category", FieldKind::Option, MatchType::Equals, "work", {}}};

    struct Case {
        QbeRun::Action action;
        int perSlice; // matches a slice handles at most
        std::set<std::int64_t> taggedAfter;
    };
    for (const Case& c : {Case{QbeRun::Action::Select, QbeRun::kTagsPerSlice, work},
                          Case{QbeRun::Action::Edit, 1, work},
                          Case{QbeRun::Action::Unselect, QbeRun::kTagsPerSlice, {}}}) {
        SCOPED_TRACE(int(c.action));
        WindowCursor cursor(store(), ScheduleKey::KeyID);
        QbeScan scan(cursor, criteria);
        Tags tags(store());
        QbeRun run(store(), scan, tags, 1, c.action, "Schedule");
        ASSERT_TRUE(run.start());
        std::set<std::int64_t> current;
        std::int64_t before = 0;
        // Edit stops at each match; the window calls again for the next.
        for (int guard = 0; !run.atEnd() && !run.failed() && guard < 1000; ++guard) {
            run.slice(1000);
            EXPECT_LE(run.found() - before, c.perSlice);
            before = run.found();
            current.insert(run.current());
        }
        EXPECT_TRUE(run.atEnd());
        EXPECT_FALSE(run.failed());
        EXPECT_EQ(run.found(), std::int64_t(work.size()));
        EXPECT_EQ(tagged(), c.taggedAfter);
        if (c.action == QbeRun::Action::Edit) {
            current.erase(0);
            EXPECT_EQ(current, work); // stopped at every match
        }
    }
}

} // namespace
} // namespace velatask
