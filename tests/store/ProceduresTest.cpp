#include "store/Procedures.h"
#include "StoreTestBase.h"
#include "WriteRefusal.h"
#include "store/Transaction.h"

namespace velatask {
namespace {

// Runs on the files and on the server.
class ProceduresTest : public StoreTestBase, public ::testing::WithParamInterface<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server && !useServer()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
        ASSERT_EQ(store().SCH.open(), 0);
        ASSERT_EQ(store().CAT.open(), 0);
        ASSERT_EQ(store().TDO.open(), 0);
        ASSERT_EQ(store().SCR.open(), 0);
    }

    void addSteps(std::int32_t id, int count) {
        for (int s = 1; s <= count; ++s) {
            store().SCR.buffer() = ScriptingRecord{};
            store().SCR.buffer().ID = id;
            store().SCR.buffer().Sequence = s;
            store().SCR.buffer().Action = "Send Keystrokes";
            ASSERT_EQ(store().SCR.add(), 0);
        }
    }

    int count(const QString& sql) { return dataValue(sql).toInt(); }

    // The table refuses `event` with `message`, as a full disk would.
    void refuse(const char* table, const char* event, const char* message) {
        ASSERT_EQ(refuseWrites(m_server.get(), dataFile(), QLatin1String(table),
                               QLatin1String(event), QString(), QLatin1String(message)),
                  QString());
    }
    // How the engine's refusal reads in a message: its result code on the file, its state on
    // the server.
    QString refusal(const char* message) const {
        return GetParam() == Backend::File
                   ? QStringLiteral("%1 (19)").arg(QLatin1String(message))
                   : QStringLiteral("%1 (P0001) (1)").arg(QLatin1String(message));
    }

    void selectTask(std::int32_t id) {
        store().SCH.clearBuffer();
        store().SCH.buffer().ID = id;
        store().SCH.watch();
        ASSERT_EQ(store().SCH.fetch(ScheduleKey::KeyID), 0);
        store().setSavedTaskNumber(id);
    }

    void selectCategory(const QString& name) {
        store().CAT.buffer().Category = name;
        store().CAT.watch();
        ASSERT_EQ(store().CAT.fetch(CategoryKey::KeyCategory), 0);
        store().setSavedCategory(name);
    }

    void addCategory(const QString& name) {
        store().CAT.buffer().Category = name;
        ASSERT_EQ(store().CAT.add(), 0);
    }
};

TEST_P(ProceduresTest, NewTaskNumbersFollowTheHighestAndTheNumberIsReservedAtOnce) {
    auto& sch = store().SCH;
    sch.clearBuffer();
    sch.buffer().Description = "first";
    sch.buffer().Message = "memo";
    ASSERT_EQ(NewTaskNumber(store()), 0);
    EXPECT_EQ(sch.buffer().ID, 1);
    EXPECT_EQ(sch.buffer().Description, "first");
    EXPECT_EQ(sch.buffer().Message, "memo");
    EXPECT_EQ(count("SELECT count(*) FROM Schedule WHERE ID = 1 AND Message = 'memo'"), 1);

    ASSERT_EQ(addTask(sch, task(2, "", "b", 1, 1)), 0);
    ASSERT_EQ(addTask(sch, task(7, "", "c", 1, 1)), 0);
    sch.clearBuffer();
    ASSERT_EQ(NewTaskNumber(store()), 0);
    EXPECT_EQ(sch.buffer().ID, 8);
    // The form changes the reserved record in place.
    sch.buffer().Description = "edited";
    ASSERT_EQ(sch.put(), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Schedule WHERE ID = 8 AND Description = 'edited'"), 1);

    // A deleted highest number is used again, a lower one is not.
    ASSERT_EQ(sch.erase(), 0);
    sch.buffer().ID = 2;
    ASSERT_EQ(sch.fetch(ScheduleKey::KeyID), 0);
    ASSERT_EQ(sch.erase(), 0);
    sch.clearBuffer();
    ASSERT_EQ(NewTaskNumber(store()), 0);
    EXPECT_EQ(sch.buffer().ID, 8);
    EXPECT_TRUE(m_ui.boxes().empty());
}

TEST_P(ProceduresTest, NumberingThatKeepsFailingAsksRetryOrCancel) {
    refuse("Schedule", "INSERT", "disk is full");
    m_ui.answerNext(Ui::Retry);
    m_ui.answerNext(Ui::Cancel);
    store().SCH.clearBuffer();
    store().SCH.buffer().Description = "kept";
    EXPECT_EQ(NewTaskNumber(store()), 1);
    ASSERT_EQ(m_ui.boxes().size(), 2u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Auto Increment Error");
    EXPECT_EQ(m_ui.boxes()[0].text, "Attempts to automatically number this record have failed.  "
                                    "Error: " +
                                        refusal("disk is full") + ".");
    EXPECT_EQ(m_ui.boxes()[0].buttons, Ui::Retry | Ui::Cancel);
    EXPECT_EQ(m_ui.boxes()[0].defaultButton, Ui::Cancel);
    EXPECT_EQ(store().SCH.buffer().Description, "kept");
    EXPECT_EQ(count("SELECT count(*) FROM Schedule"), 0);
}

TEST_P(ProceduresTest, DeletingATaskDeletesItsStepsAndNothingElse) {
    ASSERT_EQ(addTask(store().SCH, task(1, "Work", "a", 1, 1)), 0);
    ASSERT_EQ(addTask(store().SCH, task(2, "Work", "b", 1, 1)), 0);
    ASSERT_EQ(addTask(store().SCH, task(3, "Work", "c", 1, 1)), 0);
    addCategory("Work");
    addSteps(1, 3);
    addSteps(2, 2);
    addSteps(3, 12);
    selectTask(2);
    EXPECT_EQ(DeleteScheduleRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE ID = 2"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting"), 15);
    EXPECT_EQ(count("SELECT count(*) FROM Schedule WHERE ID IN (1, 3)"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM Schedule"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM Categories"), 1);

    ASSERT_EQ(addTask(store().SCH, task(4, "", "no steps", 1, 1)), 0);
    selectTask(4);
    EXPECT_EQ(DeleteScheduleRecord(store()), 0);
    EXPECT_TRUE(m_ui.boxes().empty());
    EXPECT_EQ(store().SCR.useCount(), 1); // borrowed and given back
}

TEST_P(ProceduresTest, AFailedTaskDeleteLeavesTheStepsInPlace) {
    ASSERT_EQ(addTask(store().SCH, task(1, "", "a", 1, 1)), 0);
    addSteps(1, 4);
    refuse("Schedule", "DELETE", "kept");
    selectTask(1);
    EXPECT_EQ(DeleteScheduleRecord(store()), 1);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Delete Operation Error");
    EXPECT_EQ(m_ui.boxes()[0].text, "An error (" + refusal("kept") +
                                        ") was experienced when attempting to delete a record "
                                        "from the file Schedule.");
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE ID = 1"), 4);
    EXPECT_EQ(store().savedError().code, 0); // consumed by the warning
    EXPECT_FALSE(store().inTransaction());
}

TEST_P(ProceduresTest, AUsedCategoryCanNeitherBeDeletedNorRenamed) {
    addCategory("Work");
    addCategory("Home");
    ASSERT_EQ(addTask(store().SCH, task(1, "work", "a", 1, 1)), 0);
    ASSERT_EQ(addTask(store().SCH, task(2, "Works", "a", 1, 1)), 0);
    store().SCH.clearBuffer();
    store().SCH.buffer().Description = "shown in a browse";

    selectCategory("Work");
    EXPECT_EQ(DeleteCategoriesRecord(store()), 1);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Referential Integrity Delete Error");
    EXPECT_EQ(m_ui.boxes()[0].text, "This record is referenced from the file Schedule.  This "
                                    "record cannot be deleted while these references exist.");
    EXPECT_EQ(count("SELECT count(*) FROM Categories WHERE Category = 'Work'"), 1);
    EXPECT_EQ(store().SCH.buffer().Description, "shown in a browse");

    selectCategory("Work");
    store().CAT.buffer().Category = "Job";
    EXPECT_EQ(UpdateCategoriesRecord(store()), 1);
    ASSERT_EQ(m_ui.boxes().size(), 2u);
    EXPECT_EQ(m_ui.boxes()[1].title, "Referential Integrity Update Error");
    EXPECT_EQ(m_ui.boxes()[1].text,
              "This record is referenced from the file Schedule.  Linking field(s) have been "
              "restricted from change and have been reset to original values.");
    EXPECT_EQ(store().CAT.buffer().Category, "Work");
    EXPECT_EQ(count("SELECT count(*) FROM Categories WHERE Category = 'Work'"), 1);
    // Nothing stale is left behind: the category can still be written.
    EXPECT_EQ(UpdateCategoriesRecord(store()), 0);

    selectCategory("Home");
    store().CAT.buffer().Category = "House";
    EXPECT_EQ(UpdateCategoriesRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Categories WHERE Category = 'House'"), 1);
    selectCategory("House");
    EXPECT_EQ(DeleteCategoriesRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Categories"), 1);
    EXPECT_EQ(m_ui.boxes().size(), 2u);
}

TEST_P(ProceduresTest, ChangingATaskNumberMovesItsSteps) {
    ASSERT_EQ(addTask(store().SCH, task(5, "", "a", 1, 1)), 0);
    addSteps(5, 3);
    addSteps(6, 2);
    selectTask(5);
    store().SCH.buffer().ID = 9;
    EXPECT_EQ(UpdateScheduleRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE ID = 9"), 3);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE ID = 5"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE ID = 6"), 2);
    EXPECT_EQ(store().savedTaskNumber(), 9);
}

TEST_P(ProceduresTest, AStepMoveThatFailsLeavesTaskAndStepsAsTheyWere) {
    ASSERT_EQ(addTask(store().SCH, task(5, "", "a", 1, 1)), 0);
    addSteps(5, 3);
    addSteps(6, 1); // an orphan step 6/1 collides with 5/1 moved to 6
    selectTask(5);
    store().SCH.buffer().ID = 6;
    store().SCH.buffer().Description = "changed";
    EXPECT_EQ(UpdateScheduleRecord(store()), 1);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Update Operation Error");
    EXPECT_EQ(m_ui.boxes()[0].text, "An error (Creates Duplicate Key (40)) was experienced when "
                                    "attempting to update a record from the file.  Probable "
                                    "Cause: Scripting.");
    EXPECT_EQ(count("SELECT count(*) FROM Schedule WHERE ID = 5 AND Description = 'a'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE ID = 5"), 3);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE ID = 6"), 1);
}

TEST_P(ProceduresTest, TwoStationsChangingOneTaskShowTheFirstStationsValues) {
    ASSERT_EQ(addTask(store().SCH, task(1, "", "original", 1, 1)), 0);
    ScriptedUi otherUi;
    auto station = anotherStation(otherUi);
    Store& other = *station;
    ASSERT_EQ(other.SCH.open(), 0);
    selectTask(1);
    other.SCH.buffer().ID = 1;
    other.SCH.watch();
    ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0);
    other.setSavedTaskNumber(1);

    other.SCH.buffer().Description = "first station";
    ASSERT_EQ(UpdateScheduleRecord(other), 0);
    store().SCH.buffer().Description = "second station";
    EXPECT_EQ(UpdateScheduleRecord(store()), 2);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Update Operation Error");
    EXPECT_EQ(m_ui.boxes()[0].text, "This record was changed by another station.");
    EXPECT_EQ(store().SCH.buffer().Description, "first station");
    // The user decides again, now against the shown version.
    store().SCH.buffer().Description = "second station";
    EXPECT_EQ(UpdateScheduleRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Schedule WHERE Description = 'second station'"), 1);
}

TEST_P(ProceduresTest, ATransactionThatCannotBeginIsReportedAsAFramingError) {
    store().TDO.buffer() = ToDoRecord{0, 1, "call"};
    ASSERT_EQ(store().TDO.add(), 0);
    ScriptedUi otherUi;
    auto station = anotherStation(otherUi);
    Store& other = *station;
    ASSERT_EQ(other.TDO.open(), 0);
    Transaction holder(other);
    ASSERT_EQ(holder.begin(), 0);
    EXPECT_EQ(DeleteToDoRecord(store()), 1);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Transaction Framing Error");
    EXPECT_EQ(m_ui.boxes()[0].text, "Error: (File Is Already Locked (32)) attempting to frame the "
                                    "delete transaction on Todo.  Delete transaction cancelled.");
    holder.rollback();
    EXPECT_EQ(DeleteToDoRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM ToDo"), 0);
}

TEST_P(ProceduresTest, ToDoAndScriptingRecordsAreUpdatedAndDeleted) {
    store().TDO.buffer() = ToDoRecord{0, 1, "call"};
    ASSERT_EQ(store().TDO.add(), 0);
    store().TDO.buffer().Done = 1;
    EXPECT_EQ(UpdateToDoRecord(store()), 0);
    EXPECT_EQ(count("SELECT Done FROM ToDo"), 1);
    addSteps(3, 2);
    store().SCR.buffer().Keystrokes = "abc";
    EXPECT_EQ(UpdateScriptingRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting WHERE Sequence = 2 AND Keystrokes = 'abc'"), 1);
    EXPECT_EQ(DeleteScriptingRecord(store()), 0);
    EXPECT_EQ(count("SELECT count(*) FROM Scripting"), 1);
    EXPECT_TRUE(m_ui.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, ProceduresTest,
                         ::testing::Values(Backend::File, Backend::Server), backendName);

} // namespace
} // namespace velatask
