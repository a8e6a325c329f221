#include "scheduler/FirstTaskReader.h"

#include "store/Store.h"
#include "store/WindowCursor.h"

namespace velatask {

const ScheduleRecord* FirstTaskReader::read(Store& store, std::int64_t& position) {
    if (!store.SCH1.isOpen()) {
        m_changeCount = 0;
        return nullptr;
    }
    const std::uint64_t changeCount = store.changeCount();
    if (changeCount != m_changeCount || &store != m_store) {
        WindowCursor cursor(store, m_key);
        WindowCursor::Page page;
        if (cursor.setColumns(m_fields) != 0 || cursor.first(1, page) != 0) {
            m_changeCount = 0; // a failed read is tried again on the next call
            return nullptr;
        }
        m_changeCount = changeCount;
        m_store = &store;
        m_found = !page.empty();
        m_task = ScheduleRecord{};
        if (m_found) {
            cursor.toRecord(page.front(), m_task);
            m_position = page.front().position;
        }
    }
    position = m_position;
    return m_found ? &m_task : nullptr;
}

} // namespace velatask
