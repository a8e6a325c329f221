#include "store/Tags.h"
#include "StoreTestBase.h"
#include "WriteRefusal.h"

#include <vector>

namespace velatask {
namespace {

class TagsTest : public StoreTestBase, public ::testing::WithParamInterface<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server && !useServer()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
    }
    int tagRows(const QString& where = "1 = 1") {
        return tagValue("SELECT count(*) FROM TagFile_ WHERE " + where).toInt();
    }
    bool fileOnly() const { return GetParam() == Backend::File; }
    // The tag table refuses `event` with `message` for the rows meeting `when`.
    void refuse(const char* event, const char* when, const char* message) {
        ASSERT_EQ(refuseWrites(m_server.get(), tagFile(), QStringLiteral("TagFile_"),
                               QLatin1String(event), QLatin1String(when), QLatin1String(message)),
                  QString());
    }
    // How the engine's refusal reads in a message: its result code on the file, its state on
    // the server.
    QString refusal(const char* message) const {
        return fileOnly() ? QStringLiteral("#19 - %1").arg(QLatin1String(message))
                          : QStringLiteral("#1 - %1 (P0001)").arg(QLatin1String(message));
    }
    std::vector<int> list(Tags& tags, int set) {
        std::vector<int> out;
        for (auto p = tags.firstTag(set); p != 0; p = tags.nextTag(set)) {
            out.push_back(p);
        }
        return out;
    }
};

TEST_P(TagsTest, SettingATagTwiceKeepsOneTagWithTheSecondValue) {
    Tags tags(store());
    tags.SetTag_(1, 17, "a");
    tags.SetTag_(1, 17, "b");
    EXPECT_EQ(tagRows(), 1);
    EXPECT_EQ(tagRows("Usr = 0 AND Tbl = 1 AND Ptr = 17 AND Val = 'b'"), 1);
    EXPECT_TRUE(tags.isTagged(1, 17));
    EXPECT_FALSE(tags.isTagged(2, 17));
    EXPECT_FALSE(store().TF_.isOpen()); // each operation gives the table back
}

TEST_P(TagsTest, ClearingATagThatDoesNotExistDoesNothing) {
    Tags tags(store());
    tags.SetTag_(1, 5);
    tags.ClrTag_(1, 6);
    tags.ClrTag_(2, 5);
    EXPECT_EQ(tagRows(), 1);
    tags.ClrTag_(1, 5);
    EXPECT_EQ(tagRows(), 0);
    EXPECT_TRUE(m_ui.boxes().empty());
}

TEST_P(TagsTest, SetZeroIsNeverTagged) {
    Tags tags(store());
    tags.SetTag_(0, 5);
    EXPECT_FALSE(tags.isTagged(0, 5));
}

TEST_P(TagsTest, TagsAreListedInValueOrderAndKeptApartPerUser) {
    Tags tags(store());
    tags.SetTag_(1, 30, "b");
    tags.SetTag_(1, 10, "c");
    tags.SetTag_(1, 20, "a");
    tags.SetTag_(1, 40, "B"); // same value, letter case aside: after the earlier one
    tags.SetTag_(2, 50, "a");
    Tags other(store());
    other.setUser(7);
    other.SetTag_(1, 60, "a");
    EXPECT_EQ(list(tags, 1), (std::vector<int>{20, 30, 40, 10}));
    EXPECT_EQ(list(other, 1), (std::vector<int>{60}));
    EXPECT_EQ(list(tags, 3), std::vector<int>{});
    EXPECT_EQ(tags.CntTag_(1), 4);
    EXPECT_FALSE(other.isTagged(1, 20));

    // Listing also works while a window keeps the table open.
    ASSERT_EQ(store().TF_.open(), 0);
    EXPECT_EQ(list(tags, 1), (std::vector<int>{20, 30, 40, 10}));
    store().TF_.close();
}

TEST_P(TagsTest, ClearingASetLeavesOtherSetsAndUsers) {
    Tags tags(store());
    for (int p = 1; p <= 25; ++p) {
        tags.SetTag_(1, p);
    }
    tags.SetTag_(2, 1);
    Tags other(store());
    other.setUser(3);
    other.SetTag_(1, 1);
    std::vector<std::pair<int, int>> progress;
    EXPECT_TRUE(tags.NewTag_(1, [&](int done, int total) {
        progress.emplace_back(done, total);
        return true;
    }));
    EXPECT_EQ(tagRows("Usr = 0 AND Tbl = 1"), 0);
    EXPECT_EQ(tagRows(), 2);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), std::make_pair(10, 25)); // slices of ten
    EXPECT_EQ(progress.back().first, 25);
}

TEST_P(TagsTest, CancellingTheClearingLeavesTheRestOfTheSet) {
    Tags tags(store());
    for (int p = 1; p <= 25; ++p) {
        tags.SetTag_(1, p);
    }
    tags.SetTag_(2, 1);
    EXPECT_FALSE(tags.NewTag_(1, [](int, int) { return false; }));
    EXPECT_EQ(tagRows("Tbl = 1"), 15);
    EXPECT_EQ(tags.CntTag_(1), 15);
}

TEST_P(TagsTest, EachSliceOfTheClearingIsOneTransaction) {
    Tags tags(store());
    for (int p = 1; p <= 25; ++p) {
        tags.SetTag_(1, p);
    }
    tags.SetTag_(2, 1);
    refuse("DELETE", "old.Ptr = 15", "kept");
    EXPECT_FALSE(tags.NewTag_(1));
    EXPECT_EQ(tagRows("Tbl = 1"), 15) << "the failed slice is undone whole, the first stays done";
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].text, "Error " + refusal("kept") + " (NewTag_/SlowButSure/DELETE)");
}

TEST_P(TagsTest, ASetThatIsTheWholeTableIsEmptiedAtOnce) {
    Tags tags(store());
    for (int p = 1; p <= 25; ++p) {
        tags.SetTag_(4, p);
    }
    int calls = 0;
    EXPECT_TRUE(tags.NewTag_(4, [&](int, int) {
        ++calls;
        return true;
    }));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(tagRows(), 0);
}

TEST_P(TagsTest, ATagOutlivesItsRecordAndMarksARecordAddedAtTheSamePosition) {
    if (!fileOnly()) {
        GTEST_SKIP() << "the server never numbers a record with a position used before";
    }
    ASSERT_EQ(store().SCH.open(), 0);
    ASSERT_EQ(addTask(store().SCH, task(1, "", "a", 1, 1)), 0);
    ASSERT_EQ(addTask(store().SCH, task(2, "", "b", 1, 1)), 0);
    const auto position = std::int32_t(store().SCH.pointer());
    Tags tags(store());
    tags.SetTag_(1, position);
    ASSERT_EQ(store().SCH.erase(), 0);
    EXPECT_EQ(store().SCH.reget(QString::number(tags.firstTag(1))), StoreCode::RecordNotFound);
    ASSERT_EQ(addTask(store().SCH, task(3, "", "c", 1, 1)), 0);
    EXPECT_EQ(store().SCH.pointer(), position);
    ASSERT_EQ(store().SCH.reget(QString::number(tags.firstTag(1))), 0);
    EXPECT_EQ(store().SCH.buffer().ID, 3);
}

TEST_P(TagsTest, ManyTagsAreSetAndClearedInOneWriteThatIsUndoneWholeOnAFailure) {
    Tags tags(store());
    tags.SetTag_(1, 3, "kept value");
    tags.SetTag_(2, 4);
    tags.SetTags_(1, {1, 2, 3, 4, 5});
    EXPECT_EQ(list(tags, 1).size(), 5u);
    EXPECT_EQ(tagRows("Tbl = 1 AND Ptr = 3"), 1); // set twice, one tag
    tags.ClrTags_(1, {2, 4, 9});
    EXPECT_EQ(tagRows("Tbl = 1"), 3);
    EXPECT_EQ(tagRows("Tbl = 2"), 1); // other sets stay
    refuse("INSERT", "new.Ptr = 8", "kept");
    tags.SetTags_(1, {6, 7, 8});
    EXPECT_EQ(tagRows("Tbl = 1"), 3) << "the whole write is undone";
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].text, "Error " + refusal("kept") + " (SetTag_/ADD)");
    EXPECT_FALSE(store().TF_.isOpen());
}

TEST_P(TagsTest, AFailedWriteIsReportedWithItsOperation) {
    Tags tags(store());
    tags.SetTag_(1, 1, "x");
    refuse("UPDATE", "", "read only");
    tags.SetTag_(1, 1, "y");
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].text, "Error " + refusal("read only") + " (SetTag_/PUT)");
    EXPECT_EQ(tagRows("Val = 'x'"), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, TagsTest, ::testing::Values(Backend::File, Backend::Server),
                         backendName);

} // namespace
} // namespace velatask
