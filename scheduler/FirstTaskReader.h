#pragma once

#include "store/Keys.h"
#include "store/ScheduleRecord.h"

#include <QStringList>

#include <cstdint>

namespace velatask {

class Store;

// Reads the first task in one key's order of SCH1 with only the fields a scan looks at (the
// others stay empty) and where it is stored, without moving SCH1. While nobody has written to the
// data file since the last read, the same answer is given again without reading or copying, so
// the scans of an idle tick cost next to nothing.
class FirstTaskReader {
public:
    FirstTaskReader(ScheduleKey key, QStringList fields)
        : m_key(key), m_fields(std::move(fields)) {}

    // The first task, valid until the next read; null when SCH1 is closed, the key holds no task
    // or the read fails.
    const ScheduleRecord* read(Store& store, std::int64_t& position);

private:
    const ScheduleKey m_key;
    const QStringList m_fields;
    // The answer of the last read, and the store's change count it belongs to (0: none).
    std::uint64_t m_changeCount = 0;
    const Store* m_store = nullptr;
    bool m_found = false;
    ScheduleRecord m_task;
    std::int64_t m_position = 0;
};

} // namespace velatask
