#include "store/StandardWarning.h"
#include "StoreTestBase.h"

namespace velatask {
namespace {

StoreError error(int code, const QString& text, int driverCode = 0,
                 const QString& driverText = {}) {
    return StoreError{code, text, driverCode, driverText};
}

struct Expected {
    int n;
    const char* title;
    int icon;
    int buttons;
    int defaultButton;
    const char* text;
};

constexpr int Ex = Ui::Exclamation;
constexpr int Qu = Ui::Question;
constexpr int Ok = Ui::Ok;
constexpr int YN = Ui::Yes | Ui::No;
constexpr int YNC = Ui::Yes | Ui::No | Ui::Cancel;
constexpr int OC = Ui::Ok | Ui::Cancel;

// Every warning with t1 = "Alpha  ", t2 = "Beta " and the saved error "Record Not Found" (35).
const Expected kAll[] = {
    {1, "Invalid File", Ex, Ok, Ok,
     "Error: (Record Not Found (35)) accessing Alpha.  Press OK to end this application."},
    {2, "Invalid Key", Qu, YN, Ui::Yes,
     "Alpha key file is invalid.  Do you want to rebuild the key?"},
    {3, "Key Rebuild Error", Ex, Ok, Ok,
     "Error: (Record Not Found (35)) repairing key for Alpha.  Press OK to end this application."},
    {4, "File Creation Error", Ex, Ok, Ok,
     "Error: (Record Not Found (35)) creating Alpha.  Press OK to end this application."},
    {5, "File Creation Error", Ex, Ok, Ok,
     "Error: (Record Not Found (35)) opening created file:Alpha.  Press OK to end this "
     "application."},
    {6, "Procedure not defined", Ex, Ok, Ok, "The Procedure Alpha has not been defined."},
    {7, "1", Ex, Ok, 0,
     "Unable to read keyed record.  Error: Record Not Found (35).  Insert Aborted"},
    {8, "Range Error", Ex, Ok, Ok, "The value of Alpha must be lower than Beta."},
    {9, "Range Error", Ex, Ok, Ok, "The value of Alpha must be higher than Beta."},
    {10, "Range Error", Ex, Ok, Ok, "The value of Alpha must be between Beta."},
    {11, "Field Contents Error", Ex, Ok, Ok, "The value for Alpha must be found in the Beta file."},
    {12, "Referential Integrity Update Error", Ex, Ok, Ok,
     "This record is referenced from the file Alpha.  Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {13, "Referential Integrity Delete Error", Ex, Ok, Ok,
     "This record is referenced from the file Alpha.  This record cannot be deleted while these "
     "references exist."},
    {14, "Record Insert Error", Ex, Ok, Ok,
     "An error was experienced during the update of record.  Error: Record Not Found (35)."},
    {15, "Update Operation Error", Ex, Ok, Ok,
     "An error (Record Not Found (35)) was experienced when attempting to update a record from "
     "the file.  Probable Cause: Alpha."},
    {16, "Record Update Error", Ex, YNC, Ui::Cancel,
     "An error was experienced changing this record.  Do you want to try to save again?"},
    {17, "Delete Operation Error", Ex, Ok, Ok,
     "An error (Record Not Found (35)) was experienced when attempting to delete a record from "
     "the file Alpha."},
    {18, "Record Update Error", Ex, YNC, Ui::Cancel,
     "An error was experienced deleting this record.  Do you want to try to save again?"},
    {19, "Invalid Request", Ex, Ok, Ok,
     "This procedure was called to insert a record, however inserts are not allowed for this "
     "procedure.  Press OK to return to the calling procedure"},
    {20, "Invalid Request", Ex, Ok, Ok,
     "This procedure was called to change a record, however changes are not allowed for this "
     "procedure.  Press OK to return to the calling procedure"},
    {21, "Invalid Request", Ex, Ok, Ok,
     "This procedure was called to delete a record, however deletions are not allowed for this "
     "procedure.  Press OK to return to the calling procedure"},
    {22, "File Creation Not Allowed", Ex, Ok, Ok,
     "The File Alphawas not found, and creation of the file is not allowed.  Press OK to end this "
     "application."},
    {23, "Update Cancelled", Qu, YN, Ui::No, "Are you sure you want to cancel?"},
    {24, "Duplicate Key Error", Ex, Ok, Ok,
     "Adding this record creates a duplicate entry for the key:Alpha"},
    {25, "Auto Increment Error", Ex, Ui::Retry | Ui::Cancel, Ui::Cancel,
     "Attempts to automatically number this record have failed.  Error: Record Not Found (35)."},
    {26, "File Load Error", Ex, Ok, Ok, "Alpha File Load Error.  Error: Record Not Found (35)."},
    {27, "Cancel Request", Qu, OC, Ui::Cancel, "Are you certain you want to stop loading Alpha?"},
    {28, "File Load Error", Ex, Ok, Ok,
     "Alpha File Load Error.  The file you've requested contains no text."},
    {29, "Beginning of File Error", Qu, YN, Ui::Yes,
     "The beginning of the viewed file was encountered.  Do you want to start again from the end "
     "of the file?"},
    {30, "File Access Error", Ex, Ok, Ok,
     "File (Alpha) could not be opened.  Error: Record Not Found (35)."},
    {31, "Process DELETE Error", Ex, Ok, Ok,
     "An error was experienced when deleting a record from the Beta file.  Error: Record Not "
     "Found (35)"},
    {32, "Confirm Delete", Qu, OC, Ui::Cancel,
     "You've selected to delete the highlighted record.  Press OK to confirm deletion of this "
     "record."},
    {33, "Update Cancelled", Qu, YNC, Ui::No, "Do you want to save the changes to this record?"},
    {34, "Transaction Framing Error", Ex, Ok, Ok,
     "Error: (Record Not Found (35)) attempting to frame the alpha transaction on Beta.  Alpha "
     "transaction cancelled."},
    {35, "Record Retrieval Error", Ex, Ok, Ok,
     "Error: (Record Not Found (35)) attempting to access a record from the Alpha file.  "
     "Returning to previous window."},
    {36, "View Open Error", Ex, Ok, Ok,
     "Error: (Record Not Found (35)) attempting to open the current VIEW. Filter and Range Limits "
     "ignored."},
    {37, "Record Added", Qu, YN, Ui::Yes,
     "This record has been added to the file. Do you want to add another record?"},
    {38, "Record Was Not Updated", Ex, Ok, Ok,
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes."},
};

TEST(StandardWarningBoxTest, EveryNumberHasItsTitleIconButtonsAndText) {
    const StoreError saved = error(35, "Record Not Found   ");
    for (const Expected& e : kAll) {
        SCOPED_TRACE(e.n);
        const MessageBoxSpec box = StandardWarningBox(e.n, "Alpha  ", "Beta ", saved, {});
        EXPECT_EQ(box.title, e.title);
        EXPECT_EQ(box.icon, e.icon);
        EXPECT_EQ(box.buttons, e.buttons);
        EXPECT_EQ(box.defaultButton, e.defaultButton);
        EXPECT_EQ(box.text, e.text);
    }
}

TEST(StandardWarningBoxTest, TextsThatDependOnTheirArguments) {
    const StoreError none;
    const StoreError current = error(2, "File Not Found");
    EXPECT_EQ(StandardWarningBox(29, "Down", "", none, current).title, "End of File Error");
    EXPECT_EQ(StandardWarningBox(29, "Down", "", none, current).text,
              "The end of the viewed file was encountered.  Do you want to start again from the "
              "beginning?");
    EXPECT_EQ(StandardWarningBox(31, "Put", "Schedule", none, current).title, "Process PUT Error");
    EXPECT_EQ(StandardWarningBox(31, "Put", "Schedule", none, current).text,
              "An error was experienced when making changes to the Schedule file.  Error: File "
              "Not Found (2)");
    EXPECT_EQ(StandardWarningBox(34, "Delete", "Schedule", none, current).text,
              "Error: (File Not Found (2)) attempting to frame the delete transaction on "
              "Schedule.  Delete transaction cancelled.");
    // Warning 15 says "changed by another station" when nothing or 89 was saved.
    EXPECT_EQ(StandardWarningBox(15, "Schedule", "", none, current).text,
              "This record was changed by another station.");
    EXPECT_EQ(
        StandardWarningBox(15, "x", "", error(89, "Record Changed By Another Station"), {}).text,
        "This record was changed by another station.");
}

TEST(StandardWarningBoxTest, TheErrorTextComesFromTheSavedErrorOrElseTheCurrentOne) {
    EXPECT_EQ(StandardWarningErrorText({}, error(2, "File Not Found")), "File Not Found (2)");
    EXPECT_EQ(StandardWarningErrorText(error(33, "Record Not Available"), error(2, "x")),
              "Record Not Available (33)");
    // A driver error shows the driver's text and number, not the store's.
    EXPECT_EQ(StandardWarningErrorText({}, error(90, "", 1, "no such table: Schedule  ")),
              "no such table: Schedule (1)");
    EXPECT_EQ(StandardWarningErrorText(error(90, "", 19, "kept"), {}), "kept (19)");
}

class StandardWarningTest : public StoreTestBase {};

TEST_F(StandardWarningTest, ShowingAWarningClearsTheSavedErrorAndReturnsTheButton) {
    store().setLastError(error(35, "Record Not Found"));
    store().capture();
    EXPECT_EQ(store().savedError().code, 35);
    m_ui.answerNext(Ui::Ok);
    EXPECT_EQ(StandardWarning(store(), 35, "Schedule"), Ui::Ok);
    EXPECT_EQ(store().savedError().code, 0);
    EXPECT_TRUE(store().savedError().text.isEmpty());
    m_ui.answerNext(Ui::Cancel);
    EXPECT_EQ(StandardWarning(store(), 32), Ui::Cancel);
    EXPECT_FALSE(store().stopped());
}

TEST_F(StandardWarningTest, TheFatalNumbersStopTheProgramWithTheirFinalText) {
    const std::pair<int, const char*> fatal[] = {{1, "Invalid File!"},
                                                 {3, "Error Rebuilding Key!"},
                                                 {4, "File Creation Error!"},
                                                 {5, "File Creation Error!"},
                                                 {22, "File Creation Error!"}};
    for (const auto& [n, text] : fatal) {
        ScriptedUi ui;
        Store s(m_dir.path(), ui);
        StandardWarning(s, n, "SM\\!Schedule");
        EXPECT_EQ(ui.stops(), QStringList{text}) << n;
        EXPECT_TRUE(s.stopped());
    }
    for (int n : {6, 15, 17, 25, 30, 34, 35}) {
        ScriptedUi ui;
        Store s(m_dir.path(), ui);
        StandardWarning(s, n, "x");
        EXPECT_FALSE(ui.stopped()) << n;
    }
    ScriptedUi yes;
    Store s1(m_dir.path(), yes);
    yes.answerNext(Ui::Yes);
    EXPECT_EQ(StandardWarning(s1, 2, "SM\\!Schedule"), Ui::Yes);
    EXPECT_FALSE(yes.stopped());
    ScriptedUi no;
    Store s2(m_dir.path(), no);
    no.answerNext(Ui::No);
    EXPECT_EQ(StandardWarning(s2, 2, "SM\\!Schedule"), Ui::No);
    EXPECT_EQ(no.stops(), QStringList{"Invalid Key!"});
}

} // namespace
} // namespace velatask
