#include "store/View.h"

#include "store/Connection.h"
#include "store/RecordCodec.h"
#include "store/Store.h"
#include "store/TableCursor.h"
#include "store/TableDef.h"
#include "store/TableOpener.h"

namespace velatask {

namespace {

Connection& connectionFor(Store& store, const TableDef& table) {
    return table.tagFile ? store.tagConnection() : store.dataConnection();
}

} // namespace

template <class Record, class Key>
View<Record, Key>::View(Store& store, const TableDef& table)
    : m_store(store), m_table(table),
      m_cursor(std::make_unique<TableCursor>(connectionFor(store, table), table)) {}

template <class Record, class Key> View<Record, Key>::~View() = default;

template <class Record, class Key> int View<Record, Key>::finish(int code) {
    if (code == 0) {
        m_error.clear();
    } else if (m_cursor->error().code == code) {
        m_error = m_cursor->error();
    } else if (m_store.lastError().code == code && code == StoreCode::DriverError) {
        m_error = m_store.lastError();
    } else {
        m_error = makeStoreError(code);
    }
    m_store.setLastError(m_error);
    return code;
}

template <class Record, class Key> int View<Record, Key>::open() {
    if (m_store.stopped()) {
        return finish(StoreCode::NotOpen);
    }
    if (m_useCount == 0) {
        StoreError error;
        const int code =
            TableOpener::open(m_store, connectionFor(m_store, m_table), m_table, error);
        if (code != 0) {
            m_error = error;
            m_store.setLastError(error);
            return code;
        }
        m_cursor->reset();
    }
    ++m_useCount;
    return finish(0);
}

template <class Record, class Key> void View<Record, Key>::close() {
    if (m_useCount > 0 && --m_useCount == 0) {
        m_cursor->reset();
    }
}

template <class Record, class Key> bool View<Record, Key>::isOpen() const {
    return m_useCount > 0;
}

template <class Record, class Key> int View<Record, Key>::useCount() const {
    return m_useCount;
}

template <class Record, class Key> bool View<Record, Key>::usable() const {
    return m_useCount > 0 && !m_store.stopped();
}

template <class Record, class Key> int View<Record, Key>::setStart(Key key) {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    return finish(m_cursor->setStart(int(key)));
}

template <class Record, class Key> int View<Record, Key>::setEnd(Key key) {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    return finish(m_cursor->setEnd(int(key)));
}

template <class Record, class Key> int View<Record, Key>::setAt(Key key, int components) {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    return finish(m_cursor->setAt(int(key), RecordCodec::toRow(m_buffer, m_table), components));
}

template <class Record, class Key> int View<Record, Key>::next() {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    QVariantList row;
    const int code = m_cursor->next(row);
    if (code == 0) {
        RecordCodec::fromRow(row, m_buffer, m_table);
    }
    return finish(code);
}

template <class Record, class Key> int View<Record, Key>::previous() {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    QVariantList row;
    const int code = m_cursor->previous(row);
    if (code == 0) {
        RecordCodec::fromRow(row, m_buffer, m_table);
    }
    return finish(code);
}

template <class Record, class Key> int View<Record, Key>::fetch(Key key) {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    QVariantList row;
    const int code = m_cursor->fetch(int(key), RecordCodec::toRow(m_buffer, m_table), row);
    if (code == 0) {
        RecordCodec::fromRow(row, m_buffer, m_table);
    }
    return finish(code);
}

template <class Record, class Key> int View<Record, Key>::add() {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    return finish(m_cursor->add(RecordCodec::toRow(m_buffer, m_table)));
}

template <class Record, class Key> int View<Record, Key>::put() {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    return finish(m_cursor->put(RecordCodec::toRow(m_buffer, m_table)));
}

template <class Record, class Key> int View<Record, Key>::erase() {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    return finish(m_cursor->erase());
}

template <class Record, class Key> bool View<Record, Key>::duplicate(Key key) {
    if (m_useCount == 0) {
        finish(StoreCode::NotOpen);
        return false;
    }
    const bool found = m_cursor->duplicate(int(key), RecordCodec::toRow(m_buffer, m_table));
    finish(m_cursor->error().code);
    return found;
}

template <class Record, class Key> QString View<Record, Key>::position() const {
    return m_cursor->current() == 0 ? QString() : QString::number(m_cursor->current());
}

template <class Record, class Key> std::int64_t View<Record, Key>::pointer() const {
    return m_cursor->current();
}

template <class Record, class Key> int View<Record, Key>::reget(const QString& position) {
    if (!usable()) {
        return finish(StoreCode::NotOpen);
    }
    bool ok = false;
    const qlonglong rowid = position.toLongLong(&ok);
    if (!ok || rowid <= 0) {
        return finish(StoreCode::RecordNotFound);
    }
    QVariantList row;
    const int code = m_cursor->reget(rowid, row);
    if (code == 0) {
        RecordCodec::fromRow(row, m_buffer, m_table);
    }
    return finish(code);
}

template <class Record, class Key> void View<Record, Key>::watch() {
    m_cursor->watch();
}

template <class Record, class Key> const StoreError& View<Record, Key>::error() const {
    return m_error;
}

template <class Record, class Key> QString View<Record, Key>::name() const {
    return m_table.storeName();
}

template class View<ScheduleRecord, ScheduleKey>;
template class View<HistoryRecord, HistoryKey>;
template class View<CategoryRecord, CategoryKey>;
template class View<ToDoRecord, ToDoKey>;
template class View<ScriptingRecord, ScriptingKey>;
template class View<TagRecord, TagKey>;

} // namespace velatask
