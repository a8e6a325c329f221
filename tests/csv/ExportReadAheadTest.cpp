#include "csv/ExportReadAhead.h"
#include "store/Filter.h"
#include "store/ScheduleReader.h"
#include "store/UseCount.h"

#include "tests/store/StoreTestBase.h"

#include <gtest/gtest.h>

#include <vector>

namespace velatask {
namespace {

constexpr int kIdColumn = 0;

class ExportReadAheadTest : public StoreTestBase {
protected:
    static Filter unkeyed() {
        return Filter::compare(QStringLiteral("Category"), Filter::Op::Equal, QStringLiteral("")) &&
               Filter::compare(QStringLiteral("Date"), Filter::Op::Equal, 0) &&
               Filter::compare(QStringLiteral("Time"), Filter::Op::Equal, 0);
    }
    // Task numbers in the order read, -1 where the tasks in key order end and -2 at the end.
    std::vector<int> readHere(int pageRows) {
        std::vector<int> out;
        ScheduleReader keyed(store(), ScheduleKey::KeyCategoryDate);
        ScheduleReader rest(store(), ScheduleKey::KeyID);
        rest.setRecordOrder();
        EXPECT_EQ(rest.setFilter(unkeyed()), 0);
        for (ScheduleReader* reader : {&keyed, &rest}) {
            StoredRows rows;
            do {
                EXPECT_EQ(reader->next(pageRows, rows), 0);
                for (size_t r = 0; r < rows.size(); ++r) {
                    out.push_back(int(rows.number(r, kIdColumn)));
                }
            } while (int(rows.size()) == pageRows);
            out.push_back(reader == &keyed ? -1 : -2);
        }
        return out;
    }
    std::vector<int> readAhead(int pageRows) {
        std::vector<int> out;
        ExportReadAhead ahead(store(), unkeyed(), pageRows);
        for (;;) {
            const ExportReadAhead::Page* page = ahead.next();
            EXPECT_EQ(page->error.code, 0);
            if (page->error.code != 0) {
                break;
            }
            EXPECT_LE(int(page->rows.size()), pageRows);
            for (size_t r = 0; r < page->rows.size(); ++r) {
                out.push_back(int(page->rows.number(r, kIdColumn)));
            }
            if (page->keyedEnd) {
                out.push_back(-1);
            }
            if (page->end) {
                out.push_back(-2);
                EXPECT_EQ(ahead.next(), page) << "the end stays the end";
                break;
            }
        }
        return out;
    }
    // Tasks numbered from `first`, every `bareEvery`-th one without category, date and time.
    void addTasks(int first, int count, int bareEvery) {
        UseCount open(store().SCH);
        for (int id = first; id < first + count; ++id) {
            const bool bare = bareEvery > 0 && id % bareEvery == 0;
            ASSERT_EQ(addTask(store().SCH, task(id, bare ? "" : "Work", QString::number(id),
                                                bare ? 0 : 1000 - id % 97, 0)),
                      0);
        }
    }
};

TEST_F(ExportReadAheadTest, GivesThePagesThatReadingHereGives) {
    const struct {
        int tasks;
        int bareEvery; // 0: none without category, date and time; 1: all
        int pageRows;
    } cases[] = {
        {0, 0, 3}, {5, 0, 3}, {6, 0, 3}, {6, 1, 3}, {7, 2, 3}, {200, 7, 8}, {40, 3, 1},
    };
    UseCount open(store().SCH);
    int first = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tasks * 100 + c.bareEvery * 10 + c.pageRows);
        ASSERT_EQ(dataExec(QStringLiteral("DELETE FROM Schedule")), QString());
        addTasks(first, c.tasks, c.bareEvery);
        first += c.tasks;
        const std::vector<int> expected = readHere(c.pageRows);
        EXPECT_EQ(int(expected.size()), c.tasks + 2);
        EXPECT_EQ(readAhead(c.pageRows), expected);
    }
}

// Going away while the thread waits for room ends it; a read that cannot be made is a page
// that says why, again and again.
TEST_F(ExportReadAheadTest, StopsPartWayAndHandsOnFailures) {
    addTasks(1, 100, 5);
    UseCount open(store().SCH);
    for (const int taken : {0, 1, 3}) {
        ExportReadAhead ahead(store(), unkeyed(), 2);
        for (int i = 0; i < taken; ++i) {
            ASSERT_EQ(ahead.next()->rows.size(), 2u);
        }
    }
    ExportReadAhead refused(store(), Filter::taggedIn(1), 2);
    const ExportReadAhead::Page* page = refused.next();
    EXPECT_NE(page->error.code, 0);
    EXPECT_EQ(page->rows.size(), 0u);
    EXPECT_EQ(refused.next(), page);
}

} // namespace
} // namespace velatask
