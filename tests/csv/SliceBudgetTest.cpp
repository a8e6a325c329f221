#include "csv/SliceBudget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace velatask;

// Slices run on a made-up clock: each batch and each closing (commit) takes the time given.
TEST(SliceBudget, BatchesRunWhileTheyAndTheCommitFitInTheTime) {
    const struct {
        const char* name;
        int budgetMs;
        std::vector<int> batchUs;   // per batch of a slice; the last one repeats
        std::vector<int> closingUs; // per slice
        std::vector<int> batches;   // expected per slice
        int assumedClosingMs = 0;
    } cases[] = {
        {"no time set: one batch", 0, {1000}, {0, 0}, {1, 1}},
        {"even batches fill the time", 25, {1000}, {0}, {25}},
        {"the usual commit's time is kept",
         25,
         {1000},
         {10000, 10000, 10000, 10000, 10000},
         {25, 25, 15, 15, 15}},
        {"batches count at their average length", 25, {2000, 2000, 10000, 2000}, {0}, {7}},
        {"slow batches make fewer of them", 25, {5000}, {0}, {5}},
        {"one batch even when it takes longer", 25, {30000}, {0, 0}, {1, 1}},
        {"one long commit leaves the next slices whole",
         25,
         {1000},
         {40000, 2000, 2000, 2000, 2000, 2000},
         {25, 25, 23, 23, 23, 23}},
        {"the longer middle one of the last four commits counts",
         25,
         {1000},
         {2000, 9000, 4000, 8000, 3000, 6000},
         {25, 25, 23, 21, 17, 17}},
        {"an assumed commit is kept until measured ones take its place",
         25,
         {1000},
         {10000, 10000, 10000, 10000, 10000},
         {16, 16, 15, 15, 15},
         9},
        {"an assumed commit longer than the measured ones goes as they come in",
         25,
         {1000},
         {2000, 2000, 2000, 2000},
         {16, 16, 16, 23},
         9},
    };
    for (const auto& c : cases) {
        std::int64_t now = 0;
        SliceBudget budget([&now] { return now; });
        budget.setMilliseconds(c.budgetMs);
        budget.assumeClosing(c.assumedClosingMs);
        std::vector<int> batches;
        for (const int closingUs : c.closingUs) {
            budget.start();
            int n = 0;
            do {
                now += std::int64_t(c.batchUs[std::min<size_t>(size_t(n), c.batchUs.size() - 1)]) *
                       1000;
                ++n;
            } while (budget.anotherBatch());
            budget.beginClosing();
            now += std::int64_t(closingUs) * 1000;
            budget.endClosing();
            batches.push_back(n);
        }
        EXPECT_EQ(batches, c.batches) << c.name;
    }
}
