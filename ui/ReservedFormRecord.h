#pragma once

#include "store/StandardWarning.h"
#include "store/Store.h"
#include "ui/CurrentRecord.h"
#include "ui/FormRecord.h"

#include <functional>

namespace velatask {

// A form record whose new record is added as soon as the form opens, so that it has its key
// while the user edits it (a task's number, a step's sequence): OK changes it in place, "Cancel"
// deletes it again. Changes and deletes go through the table's procedures. Every write goes to
// the record the form opened, whatever read through the view meanwhile.
template <class V> class ReservedFormRecord : public FormRecord {
public:
    using Procedure = int (*)(Store&);
    using RecordType = std::decay_t<decltype(std::declval<V&>().buffer())>;

    ReservedFormRecord(Store& store, V& view, Procedure updateProcedure, Procedure deleteProcedure,
                       QString tableName, QString duplicateKeyName)
        : m_store(store), m_view(view), m_update(updateProcedure), m_remove(deleteProcedure),
          m_tableName(std::move(tableName)), m_duplicateKeyName(std::move(duplicateKeyName)) {}

    // Adds the new record from the buffer (and sets what else the new record needs); 0 when it
    // was added and is the view's current record.
    void setReserve(std::function<int()> reserve) { m_reserve = std::move(reserve); }

    int open() override {
        const int code = m_view.open();
        m_open = code == 0;
        m_position = m_view.position();
        return code;
    }
    void close() override {
        if (m_open) {
            m_view.close();
            m_open = false;
        }
    }
    int prepareInsert() override {
        if (!m_reserve || m_reserve() != 0) {
            return 1;
        }
        m_position = m_view.position();
        return 0;
    }
    void takeCopy() override { m_copy = m_view.buffer(); }
    bool changed() const override { return !(m_view.buffer() == m_copy); }
    int insert() override {
        if (const int code = makeCurrent(m_view, m_position); code != 0) {
            return code;
        }
        return m_view.put();
    }
    int update() override {
        if (makeCurrent(m_view, m_position) != 0) {
            StandardWarning(m_store, 35, m_tableName);
            return 1;
        }
        return m_update(m_store);
    }
    int remove() override { return m_remove(m_store); }
    void discardInsert() override {
        if (makeCurrent(m_view, m_position) == 0) {
            m_remove(m_store);
        }
    }
    QString duplicateKeyName() const override { return m_duplicateKeyName; }

protected:
    Store& store() { return m_store; }
    V& view() { return m_view; }

private:
    Store& m_store;
    V& m_view;
    Procedure m_update;
    Procedure m_remove;
    QString m_tableName;
    QString m_duplicateKeyName;
    std::function<int()> m_reserve;
    RecordType m_copy{};
    QString m_position;
    bool m_open = false;
};

} // namespace velatask
