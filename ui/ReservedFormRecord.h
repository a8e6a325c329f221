#pragma once

#include "store/StandardWarning.h"
#include "ui/CurrentRecord.h"
#include "ui/ViewFormRecord.h"

#include <functional>

namespace velatask {

// A form record whose new record is added as soon as the form opens, so that it has its key
// while the user edits it (a task's number, a step's sequence): OK changes it in place, "Cancel"
// deletes it again through the delete procedure. Every write goes to the record the form opened,
// whatever read through the view meanwhile.
template <class V> class ReservedFormRecord : public ViewFormRecord<V> {
    using Base = ViewFormRecord<V>;

public:
    ReservedFormRecord(Store& store, V& view, typename Base::Procedure updateProcedure,
                       typename Base::Procedure deleteProcedure, QString tableName,
                       QString duplicateKeyName)
        : Base(store, view, updateProcedure, deleteProcedure, std::move(duplicateKeyName)),
          m_tableName(std::move(tableName)) {}

    // Adds the new record from the buffer (and sets what else the new record needs); 0 when it
    // was added and is the view's current record.
    void setReserve(std::function<int()> reserve) { m_reserve = std::move(reserve); }

    int open() override {
        const int code = Base::open();
        m_position = this->view().position();
        return code;
    }
    int prepareInsert() override {
        if (!m_reserve || m_reserve() != 0) {
            return 1;
        }
        m_position = this->view().position();
        return 0;
    }
    int insert() override {
        if (const int code = makeCurrent(this->view(), m_position); code != 0) {
            return code;
        }
        return this->view().put();
    }
    int update() override {
        if (makeCurrent(this->view(), m_position) != 0) {
            StandardWarning(this->store(), 35, m_tableName);
            return 1;
        }
        return Base::update();
    }
    void discardInsert() override {
        if (makeCurrent(this->view(), m_position) == 0) {
            Base::remove();
        }
    }

private:
    QString m_tableName;
    std::function<int()> m_reserve;
    QString m_position;
};

} // namespace velatask
