#pragma once

#include "csv/CsvText.h"

#include <QString>

namespace velatask {

// Why a CSV file could not be opened, written, read or closed: the file device's error code and
// the system's text for it.
struct CsvFileError {
    int code = 0;
    QString text;

    bool ok() const { return code == 0; }
    // "Error #" + code + " - " + text, the wording of every CSV file message.
    QString message() const { return CsvText::errorMessage(code, text); }
};

} // namespace velatask
