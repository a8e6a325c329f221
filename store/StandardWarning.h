#pragma once

#include "core/Ui.h"
#include "store/StoreError.h"

#include <QString>

namespace velatask {

class Store;

// Shows standard warning n (1 to 38) with texts t1 and t2, clears the saved error, stops the
// program for the fatal numbers, and returns the button pressed (Ui::Button).
int StandardWarning(Store& store, int n, const QString& t1 = QString(),
                    const QString& t2 = QString());

// The box of warning n. `saved` is the saved error, `current` the store's latest error; E is
// built from the saved one when its code is not 0.
MessageBoxSpec StandardWarningBox(int n, const QString& t1, const QString& t2,
                                  const StoreError& saved, const StoreError& current);

// The text E that stands for an error in the warnings: "File Not Found (2)", or for code 90 the
// driver's text and code.
QString StandardWarningErrorText(const StoreError& saved, const StoreError& current);

// The final text for the numbers that stop the program after the box (empty otherwise). For
// warning 2 the stop follows the answer No only.
QString StandardWarningStopText(int n);

} // namespace velatask
