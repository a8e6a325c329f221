#pragma once

#include "store/StoreError.h"

#include <QString>

namespace velatask {

// The text by which a store error is shown to the user: the engine's own message for driver
// errors, the store's text otherwise.
inline QString errorText(const StoreError& error) {
    return error.code == StoreCode::DriverError ? error.driverText : error.text;
}

} // namespace velatask
