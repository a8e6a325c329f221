#pragma once

#include "store/StoreError.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace velatask {

class Connection;

// The rows that belong to a task beyond its Schedule record: its script steps.
namespace TaskRows {

// Deletes the script steps of the task stored at this Schedule position (none when the
// position is empty). Run it in the transaction that deletes the task.
int eraseSteps(Connection& connection, std::int64_t taskPosition, StoreError& error);

// The script steps of the tasks at these positions, in one statement.
int eraseSteps(Connection& connection, const std::vector<std::int64_t>& taskPositions,
               StoreError& error);

} // namespace TaskRows
} // namespace velatask
