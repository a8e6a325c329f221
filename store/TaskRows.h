#pragma once

#include "store/StoreError.h"

#include <cstdint>

namespace velatask {

class Connection;

// The rows that belong to a task beyond its Schedule record: its script steps.
namespace TaskRows {

// Deletes the script steps of the task stored at this Schedule position (none when the
// position is empty). Run it in the transaction that deletes the task.
int eraseSteps(Connection& connection, std::int64_t taskPosition, StoreError& error);

} // namespace TaskRows
} // namespace velatask
