#include "csv/SliceBudget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace velatask;

// Slices run on a made-up clock: each batch takes the time given.
TEST(SliceBudget, BatchesRunWhileAnotherFitsInTheTime) {
    const struct {
        const char* name;
        int budgetMs;
        std::vector<int> batchUs; // per batch of a slice; the last one repeats
        int batches;              // expected
    } cases[] = {
        {"no time set: one batch", 0, {1000}, 1},
        {"even batches fill the time", 25, {1000}, 25},
        {"batches count at their average length", 25, {2000, 2000, 10000, 2000}, 7},
        {"slow batches make fewer of them", 25, {5000}, 5},
        {"one batch even when it takes longer", 25, {30000}, 1},
    };
    for (const auto& c : cases) {
        std::int64_t now = 0;
        SliceBudget budget([&now] { return now; });
        budget.setMilliseconds(c.budgetMs);
        budget.start();
        int n = 0;
        do {
            now +=
                std::int64_t(c.batchUs[std::min<size_t>(size_t(n), c.batchUs.size() - 1)]) * 1000;
            ++n;
        } while (budget.anotherBatch());
        EXPECT_EQ(n, c.batches) << c.name;
    }
}
