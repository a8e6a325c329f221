#include "store/StandardWarning.h"

#include "core/FixedText.h"
#include "store/Store.h"

namespace velatask {

namespace {

struct Box {
    const char* title;
    int icon;
    int buttons;
    int defaultButton;
};

constexpr int kOk = Ui::Ok;
constexpr int kYesNo = Ui::Yes | Ui::No;
constexpr int kYesNoCancel = Ui::Yes | Ui::No | Ui::Cancel;
constexpr int kOkCancel = Ui::Ok | Ui::Cancel;
constexpr int kRetryCancel = Ui::Retry | Ui::Cancel;
constexpr int kEx = Ui::Exclamation;
constexpr int kQu = Ui::Question;

// Title, icon, buttons and default button of warnings 1 to 38.
constexpr Box kBoxes[38] = {
    {"Invalid File", kEx, kOk, Ui::Ok},
    {"Invalid Key", kQu, kYesNo, Ui::Yes},
    {"Key Rebuild Error", kEx, kOk, Ui::Ok},
    {"File Creation Error", kEx, kOk, Ui::Ok},
    {"File Creation Error", kEx, kOk, Ui::Ok},
    {"Procedure not defined", kEx, kOk, Ui::Ok},
    {"1", kEx, kOk, 0},
    {"Range Error", kEx, kOk, Ui::Ok},
    {"Range Error", kEx, kOk, Ui::Ok},
    {"Range Error", kEx, kOk, Ui::Ok},
    {"Field Contents Error", kEx, kOk, Ui::Ok},
    {"Referential Integrity Update Error", kEx, kOk, Ui::Ok},
    {"Referential Integrity Delete Error", kEx, kOk, Ui::Ok},
    {"Record Insert Error", kEx, kOk, Ui::Ok},
    {"Update Operation Error", kEx, kOk, Ui::Ok},
    {"Record Update Error", kEx, kYesNoCancel, Ui::Cancel},
    {"Delete Operation Error", kEx, kOk, Ui::Ok},
    {"Record Update Error", kEx, kYesNoCancel, Ui::Cancel},
    {"Invalid Request", kEx, kOk, Ui::Ok},
    {"Invalid Request", kEx, kOk, Ui::Ok},
    {"Invalid Request", kEx, kOk, Ui::Ok},
    {"File Creation Not Allowed", kEx, kOk, Ui::Ok},
    {"Update Cancelled", kQu, kYesNo, Ui::No},
    {"Duplicate Key Error", kEx, kOk, Ui::Ok},
    {"Auto Increment Error", kEx, kRetryCancel, Ui::Cancel},
    {"File Load Error", kEx, kOk, Ui::Ok},
    {"Cancel Request", kQu, kOkCancel, Ui::Cancel},
    {"File Load Error", kEx, kOk, Ui::Ok},
    {"End of File Error", kQu, kYesNo, Ui::Yes},
    {"File Access Error", kEx, kOk, Ui::Ok},
    {"Process PUT Error", kEx, kOk, Ui::Ok},
    {"Confirm Delete", kQu, kOkCancel, Ui::Cancel},
    {"Update Cancelled", kQu, kYesNoCancel, Ui::No},
    {"Transaction Framing Error", kEx, kOk, Ui::Ok},
    {"Record Retrieval Error", kEx, kOk, Ui::Ok},
    {"View Open Error", kEx, kOk, Ui::Ok},
    {"Record Added", kQu, kYesNo, Ui::Yes},
    {"Record Was Not Updated", kEx, kOk, Ui::Ok},
};

const QString kEnd = QStringLiteral(".  Press OK to end this application.");

QString messageText(int n, const QString& t1, const QString& t2, const QString& e, int savedCode) {
    const QString request = QStringLiteral(
        "This procedure was called to %1 a record, however %2 are not allowed for this "
        "procedure.  Press OK to return to the calling procedure");
    switch (n) {
    case 1:
        return QStringLiteral("Error: (") + e + QStringLiteral(") accessing ") + t1 + kEnd;
    case 2:
        return t1 + QStringLiteral(" key file is invalid.  Do you want to rebuild the key?");
    case 3:
        return QStringLiteral("Error: (") + e + QStringLiteral(") repairing key for ") + t1 + kEnd;
    case 4:
        return QStringLiteral("Error: (") + e + QStringLiteral(") creating ") + t1 + kEnd;
    case 5:
        return QStringLiteral("Error: (") + e + QStringLiteral(") opening created file:") + t1 +
               kEnd;
    case 6:
        return QStringLiteral("The Procedure ") + t1 + QStringLiteral(" has not been defined.");
    case 7:
        return QStringLiteral("Unable to read keyed record.  Error: ") + e +
               QStringLiteral(".  Insert Aborted");
    case 8:
        return QStringLiteral("The value of ") + t1 + QStringLiteral(" must be lower than ") + t2 +
               QStringLiteral(".");
    case 9:
        return QStringLiteral("The value of ") + t1 + QStringLiteral(" must be higher than ") + t2 +
               QStringLiteral(".");
    case 10:
        return QStringLiteral("The value of ") + t1 + QStringLiteral(" must be between ") + t2 +
               QStringLiteral(".");
    case 11:
        return QStringLiteral("The value for ") + t1 + QStringLiteral(" must be found in the ") +
               t2 + QStringLiteral(" file.");
    case 12:
        return QStringLiteral("This record is referenced from the file ") + t1 +
               QStringLiteral(".  Linking field(s) have been restricted from change and have been "
                              "reset to original values.");
    case 13:
        return QStringLiteral("This record is referenced from the file ") + t1 +
               QStringLiteral(".  This record cannot be deleted while these references exist.");
    case 14:
        return QStringLiteral("An error was experienced during the update of record.  Error: ") +
               e + QStringLiteral(".");
    case 15:
        if (savedCode == 0 || savedCode == StoreCode::RecordChanged) {
            return QStringLiteral("This record was changed by another station.");
        }
        return QStringLiteral("An error (") + e +
               QStringLiteral(") was experienced when attempting to update a record from the "
                              "file.  Probable Cause: ") +
               t1 + QStringLiteral(".");
    case 16:
        return QStringLiteral("An error was experienced changing this record.  Do you want to try "
                              "to save again?");
    case 17:
        return QStringLiteral("An error (") + e +
               QStringLiteral(
                   ") was experienced when attempting to delete a record from the file ") +
               t1 + QStringLiteral(".");
    case 18:
        return QStringLiteral("An error was experienced deleting this record.  Do you want to try "
                              "to save again?");
    case 19:
        return request.arg(QStringLiteral("insert"), QStringLiteral("inserts"));
    case 20:
        return request.arg(QStringLiteral("change"), QStringLiteral("changes"));
    case 21:
        return request.arg(QStringLiteral("delete"), QStringLiteral("deletions"));
    case 22:
        return QStringLiteral("The File ") + t1 +
               QStringLiteral("was not found, and creation of the file is not allowed.  Press OK "
                              "to end this application.");
    case 23:
        return QStringLiteral("Are you sure you want to cancel?");
    case 24:
        return QStringLiteral("Adding this record creates a duplicate entry for the key:") + t1;
    case 25:
        return QStringLiteral(
                   "Attempts to automatically number this record have failed.  Error: ") +
               e + QStringLiteral(".");
    case 26:
        return t1 + QStringLiteral(" File Load Error.  Error: ") + e + QStringLiteral(".");
    case 27:
        return QStringLiteral("Are you certain you want to stop loading ") + t1 +
               QStringLiteral("?");
    case 28:
        return t1 +
               QStringLiteral(" File Load Error.  The file you've requested contains no text.");
    case 29:
        if (t1 == QLatin1String("Down")) {
            return QStringLiteral("The end of the viewed file was encountered.  Do you want to "
                                  "start again from the beginning?");
        }
        return QStringLiteral("The beginning of the viewed file was encountered.  Do you want to "
                              "start again from the end of the file?");
    case 30:
        return QStringLiteral("File (") + t1 + QStringLiteral(") could not be opened.  Error: ") +
               e + QStringLiteral(".");
    case 31:
        if (t1 == QLatin1String("Put")) {
            return QStringLiteral("An error was experienced when making changes to the ") + t2 +
                   QStringLiteral(" file.  Error: ") + e;
        }
        return QStringLiteral("An error was experienced when deleting a record from the ") + t2 +
               QStringLiteral(" file.  Error: ") + e;
    case 32:
        return QStringLiteral("You've selected to delete the highlighted record.  Press OK to "
                              "confirm deletion of this record.");
    case 33:
        return QStringLiteral("Do you want to save the changes to this record?");
    case 34:
        return QStringLiteral("Error: (") + e + QStringLiteral(") attempting to frame the ") +
               t1.toLower() + QStringLiteral(" transaction on ") + t2 + QStringLiteral(".  ") + t1 +
               QStringLiteral(" transaction cancelled.");
    case 35:
        return QStringLiteral("Error: (") + e +
               QStringLiteral(") attempting to access a record from the ") + t1 +
               QStringLiteral(" file.  Returning to previous window.");
    case 36:
        return QStringLiteral("Error: (") + e +
               QStringLiteral(") attempting to open the current VIEW. Filter and Range Limits "
                              "ignored.");
    case 37:
        return QStringLiteral("This record has been added to the file. Do you want to add another "
                              "record?");
    case 38:
        return QStringLiteral("This record was changed by another station. Those changes will now "
                              "be displayed. Use the Ditto Button or Ctrl+' to recall your "
                              "changes.");
    default:
        return QString();
    }
}

} // namespace

QString StandardWarningErrorText(const StoreError& saved, const StoreError& current) {
    const StoreError& e = saved.code != 0 ? saved : current;
    if (e.code == StoreCode::DriverError) {
        return FixedText::rtrim(e.driverText) + QStringLiteral(" (") +
               QString::number(e.driverCode) + QLatin1Char(')');
    }
    return FixedText::rtrim(e.text) + QStringLiteral(" (") + QString::number(e.code) +
           QLatin1Char(')');
}

MessageBoxSpec StandardWarningBox(int n, const QString& t1In, const QString& t2In,
                                  const StoreError& saved, const StoreError& current) {
    MessageBoxSpec box;
    if (n < 1 || n > 38) {
        return box;
    }
    const QString t1 = FixedText::rtrim(t1In);
    const QString t2 = FixedText::rtrim(t2In);
    const Box& b = kBoxes[n - 1];
    box.title = QString::fromLatin1(b.title);
    if (n == 29 && t1 != QLatin1String("Down")) {
        box.title = QStringLiteral("Beginning of File Error");
    }
    if (n == 31 && t1 != QLatin1String("Put")) {
        box.title = QStringLiteral("Process DELETE Error");
    }
    box.icon = b.icon;
    box.buttons = b.buttons;
    box.defaultButton = b.defaultButton;
    box.text = messageText(n, t1, t2, StandardWarningErrorText(saved, current), saved.code);
    return box;
}

QString StandardWarningStopText(int n) {
    switch (n) {
    case 1:
        return QStringLiteral("Invalid File!");
    case 2:
        return QStringLiteral("Invalid Key!");
    case 3:
        return QStringLiteral("Error Rebuilding Key!");
    case 4:
    case 5:
    case 22:
        return QStringLiteral("File Creation Error!");
    default:
        return QString();
    }
}

int StandardWarning(Store& store, int n, const QString& t1, const QString& t2) {
    if (n < 1 || n > 38) {
        store.clearSavedError();
        return 0;
    }
    const MessageBoxSpec box = StandardWarningBox(n, t1, t2, store.savedError(), store.lastError());
    store.clearSavedError();
    const int button = store.ui().messageBox(box);
    const QString stopText = StandardWarningStopText(n);
    if (!stopText.isEmpty() && (n != 2 || button != Ui::Yes)) {
        store.stop(stopText);
    }
    return button;
}

} // namespace velatask
