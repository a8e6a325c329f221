#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace velatask {

class Store;
class Transaction;
struct ScriptingRecord;

// The steps of one task's script in the Scripting table: the number a new step gets, adding it
// at once, and moving a step past its neighbour. Works through the SCR view, which the caller
// holds open.
class ScriptSteps {
public:
    // Sequence numbers are six digits; a step being moved parks at kParking minus its number.
    static constexpr std::int32_t kHighestSequence = 999999;
    static constexpr std::int32_t kParking = 999999;

    enum class Direction { Up, Down };

    ScriptSteps(Store& store, std::int32_t taskId);

    // One more than the highest sequence of the task's steps, 1 when it has none; nullopt when
    // the steps could not be read (warning 35 shown).
    std::optional<std::int32_t> nextSequence();

    // Adds the SCR buffer as a new step of the task with the next sequence, looking the number up
    // again after each failed add; after three failures in a row warning 25 offers to retry.
    // True when added (the new step is the view's current record).
    bool addNew();

    // Swaps the step `sequence` with its neighbour above or below within the task: the moved step
    // takes the number next to its own, the neighbour the moved step's number. The three writes
    // happen together or not at all, so no step is ever left parked. False when nothing moved
    // (no such neighbour, or a write failed and the user was told).
    bool move(std::int32_t sequence, Direction direction);

private:
    bool failMove(Transaction& tx, int write);

    Store& m_store;
    std::int32_t m_taskId;
};

// The "Details" column of a step in the script list.
QString ScriptStepDetails(const ScriptingRecord& step);

} // namespace velatask
