#pragma once

#include "csv/CsvText.h"

#include <QFileDevice>
#include <QString>

namespace velatask {

// Why a CSV file could not be opened, written, read or closed: the file device's error code and
// the system's text for it.
struct CsvFileError {
    int code = 0;
    QString text;

    bool ok() const { return code == 0; }
    // A file of the schedule's own data, never read or written as a comma-delimited file:
    // writing it would destroy the schedule, and even opening and closing it drops this
    // program's locks on it.
    static CsvFileError storeFile() {
        return {int(QFileDevice::OpenError), QStringLiteral("That file holds the schedule itself")};
    }
    // "Error #" + code + " - " + text, the wording of every CSV file message.
    QString message() const { return CsvText::errorMessage(code, text); }
};

} // namespace velatask
