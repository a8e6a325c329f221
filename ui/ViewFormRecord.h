#pragma once

#include "store/Store.h"
#include "ui/FormRecord.h"

#include <functional>

namespace velatask {

// The usual form record: one view's shared buffer, added with add() on OK, updated and deleted
// through the table's procedures. `defaults` fills a cleared buffer for a new record.
template <class V> class ViewFormRecord : public FormRecord {
public:
    using Procedure = int (*)(Store&);
    using RecordType = std::decay_t<decltype(std::declval<V&>().buffer())>;

    ViewFormRecord(Store& store, V& view, Procedure updateProcedure, Procedure deleteProcedure,
                   QString duplicateKeyName = QString())
        : m_store(store), m_view(view), m_update(updateProcedure), m_remove(deleteProcedure),
          m_duplicateKeyName(std::move(duplicateKeyName)) {}

    void setDefaults(std::function<void(RecordType&)> defaults) {
        m_defaults = std::move(defaults);
    }

    int open() override {
        const int code = m_view.open();
        m_open = code == 0;
        return code;
    }
    void close() override {
        if (m_open) {
            m_view.close();
            m_open = false;
        }
    }
    int prepareInsert() override {
        m_view.clearBuffer();
        if (m_defaults) {
            m_defaults(m_view.buffer());
        }
        return 0;
    }
    void takeCopy() override { m_copy = m_view.buffer(); }
    bool changed() const override { return !(m_view.buffer() == m_copy); }
    int insert() override { return m_view.add(); }
    int update() override { return m_update(m_store); }
    int remove() override { return m_remove(m_store); }
    QString duplicateKeyName() const override { return m_duplicateKeyName; }

protected:
    Store& store() { return m_store; }
    V& view() { return m_view; }

private:
    Store& m_store;
    V& m_view;
    Procedure m_update;
    Procedure m_remove;
    QString m_duplicateKeyName;
    std::function<void(RecordType&)> m_defaults;
    RecordType m_copy{};
    bool m_open = false;
};

} // namespace velatask
