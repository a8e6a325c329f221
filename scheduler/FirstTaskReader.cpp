#include "scheduler/FirstTaskReader.h"

#include "store/Store.h"
#include "store/WindowCursor.h"

namespace velatask {

bool FirstTaskReader::read(Store& store, const QStringList& fields, ScheduleRecord& task,
                           std::int64_t& position) {
    if (!store.SCH1.isOpen()) {
        m_changeCount = 0;
        return false;
    }
    const std::uint64_t changeCount = store.changeCount();
    if (changeCount != m_changeCount || &store != m_store || fields != m_fields) {
        WindowCursor cursor(store, m_key);
        WindowCursor::Page page;
        if (cursor.setColumns(fields) != 0 || cursor.first(1, page) != 0) {
            m_changeCount = 0; // a failed read is tried again on the next call
            return false;
        }
        m_changeCount = changeCount;
        m_store = &store;
        m_fields = fields;
        m_found = !page.empty();
        m_task = ScheduleRecord{};
        if (m_found) {
            cursor.toRecord(page.front(), m_task);
            m_position = page.front().position;
        }
    }
    task = m_task;
    position = m_position;
    return m_found;
}

} // namespace velatask
