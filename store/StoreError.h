#pragma once

#include <QString>

namespace velatask {

// The error a store operation leaves: the store's code and text, and for code 90 the code and
// message of the database engine underneath.
struct StoreError {
    int code = 0;
    QString text;
    int driverCode = 0;
    QString driverText;

    bool ok() const { return code == 0; }
    void clear() { *this = StoreError{}; }
};

// The store's error codes that callers test.
namespace StoreCode {
constexpr int NoError = 0;
constexpr int FileNotFound = 2;
constexpr int IsLocked = 32;
constexpr int NoRecord = 33;       // end of reading in key order; no current record
constexpr int RecordNotFound = 35; // fetch by key found nothing
constexpr int NotOpen = 37;        // the view is not open
constexpr int DuplicateKey = 40;
constexpr int KeyRebuild = 46;
constexpr int BadDeclaration = 47;
constexpr int AlreadyOpen = 52;
constexpr int RecordChanged = 89;
constexpr int DriverError = 90;
} // namespace StoreCode

// The store text of a code ("File Not Found" for 2); empty for 0 and 90.
QString storeErrorText(int code);

// A StoreError for a store code, with its text.
StoreError makeStoreError(int code);

} // namespace velatask
