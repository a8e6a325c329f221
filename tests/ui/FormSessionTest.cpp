#include "WindowFixture.h"

#include "ui/FormRecord.h"
#include "ui/FormSession.h"

#include <deque>

using namespace velatask;

namespace {

// A record whose store work answers from scripted results and counts the calls.
class ScriptedRecord : public FormRecord {
public:
    int open() override { return openResult; }
    void close() override {}
    int prepareInsert() override { return prepareResult; }
    void takeCopy() override { ++copies; }
    bool changed() const override { return isChanged; }
    int insert() override { return next(); }
    int update() override { return next(); }
    int remove() override { return next(); }
    void discardInsert() override { ++discarded; }
    QString duplicateKeyName() const override { return QStringLiteral("By Name"); }

    int next() {
        ++writes;
        if (results.empty()) {
            return 0;
        }
        const int r = results.front();
        results.pop_front();
        return r;
    }

    int openResult = 0;
    int prepareResult = 0;
    bool isChanged = true;
    std::deque<int> results;
    int writes = 0;
    int copies = 0;
    int discarded = 0;
};

class FormSessionTest : public WindowFixture {};

} // namespace

TEST_F(FormSessionTest, SavingFollowsTheStoreResultsAndTheUsersAnswers) {
    using O = FormSession::Outcome;
    struct Case {
        const char* name;
        Request request;
        bool changed;
        std::vector<int> results;
        std::vector<int> answers;
        O outcome;
        Response response; // when the form closes
        int writes;
        QStringList boxes;
    };
    const Case cases[] = {
        {"insert", Request::Insert, true, {0}, {}, O::Close, Response::Completed, 1, {}},
        {"insert duplicate",
         Request::Insert,
         true,
         {40},
         {},
         O::Stay,
         Response::None,
         1,
         {"Duplicate Key Error"}},
        {"insert failing",
         Request::Insert,
         true,
         {90},
         {},
         O::Stay,
         Response::None,
         1,
         {"Record Insert Error"}},
        {"unchanged", Request::Change, false, {}, {}, O::Close, Response::Cancelled, 0, {}},
        {"changed", Request::Change, true, {0}, {}, O::Close, Response::Completed, 1, {}},
        {"other station", Request::Change, true, {2}, {}, O::Stay, Response::None, 1, {}},
        {"failed, try again",
         Request::Change,
         true,
         {1, 0},
         {Ui::Yes},
         O::Close,
         Response::Completed,
         2,
         {"Record Update Error"}},
        {"failed, give up",
         Request::Change,
         true,
         {1},
         {Ui::No},
         O::Close,
         Response::Cancelled,
         1,
         {"Record Update Error"}},
        {"failed, back to form",
         Request::Change,
         true,
         {1},
         {Ui::Cancel},
         O::Stay,
         Response::None,
         1,
         {"Record Update Error"}},
    };
    for (const Case& c : cases) {
        ui.clear();
        ScriptedRecord record;
        record.isChanged = c.changed;
        record.results.assign(c.results.begin(), c.results.end());
        for (int a : c.answers) {
            ui.answerNext(a);
        }
        FormSession session(store, record, c.request);
        ASSERT_TRUE(session.open()) << c.name;
        EXPECT_EQ(session.save(), c.outcome) << c.name;
        EXPECT_EQ(record.writes, c.writes) << c.name;
        EXPECT_EQ(boxTitles(), c.boxes) << c.name;
        if (c.outcome == O::Close) {
            EXPECT_EQ(session.response(), c.response) << c.name;
        }
    }
}

TEST_F(FormSessionTest, ADuplicateNamesTheKeyAndAnotherStationsVersionBecomesTheCopy) {
    ScriptedRecord record;
    record.results = {40};
    FormSession insert(store, record, Request::Insert);
    ASSERT_TRUE(insert.open());
    insert.save();
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxes().front().text.endsWith(QStringLiteral("key:By Name")));

    ScriptedRecord changed;
    changed.results = {2};
    FormSession change(store, changed, Request::Change);
    ASSERT_TRUE(change.open());
    change.save();
    EXPECT_EQ(changed.copies, 2) << "the user now edits the stored version";
}

TEST_F(FormSessionTest, DeletingAsksFirstAndOffersToTryAgain) {
    struct Case {
        const char* name;
        bool confirm;
        std::vector<int> answers;
        std::vector<int> results;
        Response response;
        int writes;
        QStringList boxes;
    };
    const Case cases[] = {
        {"refused", true, {Ui::Cancel}, {}, Response::Cancelled, 0, {"Confirm Delete"}},
        {"confirmed", true, {Ui::Ok}, {0}, Response::Completed, 1, {"Confirm Delete"}},
        {"failed, retried",
         true,
         {Ui::Ok, Ui::Yes},
         {1, 0},
         Response::Completed,
         2,
         {"Confirm Delete", "Record Update Error"}},
        {"failed, given up",
         true,
         {Ui::Ok, Ui::No},
         {1},
         Response::Cancelled,
         1,
         {"Confirm Delete", "Record Update Error"}},
        {"without question", false, {}, {0}, Response::Completed, 1, {}},
    };
    for (const Case& c : cases) {
        ui.clear();
        ScriptedRecord record;
        record.results.assign(c.results.begin(), c.results.end());
        for (int a : c.answers) {
            ui.answerNext(a);
        }
        FormSession session(store, record, Request::Delete);
        ASSERT_TRUE(session.open()) << c.name;
        EXPECT_EQ(session.runDelete(c.confirm), c.response) << c.name;
        EXPECT_EQ(record.writes, c.writes) << c.name;
        EXPECT_EQ(boxTitles(), c.boxes) << c.name;
    }
    EXPECT_EQ(ui.boxes().front().defaultButton, int(Ui::Cancel)) << "the question's default";
}

TEST_F(FormSessionTest, ACancelledInsertIsTakenBackAndAFailedOpenAnswersCancelled) {
    ScriptedRecord record;
    {
        FormSession session(store, record, Request::Insert);
        ASSERT_TRUE(session.open());
        session.cancel();
        EXPECT_EQ(session.response(), Response::Cancelled);
    }
    EXPECT_EQ(record.discarded, 1);

    ScriptedRecord saved;
    FormSession done(store, saved, Request::Insert);
    ASSERT_TRUE(done.open());
    done.save();
    done.cancel();
    EXPECT_EQ(saved.discarded, 0) << "a stored insert stays";

    ScriptedRecord closed;
    closed.openResult = 2;
    FormSession failed(store, closed, Request::Change);
    EXPECT_FALSE(failed.open());
    EXPECT_EQ(failed.response(), Response::Cancelled);

    ScriptedRecord reserved;
    reserved.prepareResult = 1;
    FormSession refused(store, reserved, Request::Insert);
    EXPECT_FALSE(refused.open());
}
