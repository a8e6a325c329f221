#include "store/Transaction.h"

#include "store/Connection.h"
#include "store/Store.h"

namespace velatask {

Transaction::Transaction(Store& store) : m_store(store) {}

Transaction::~Transaction() {
    rollback();
}

int Transaction::begin(int waitMs) {
    m_error.clear();
    if (m_store.stopped()) {
        m_error = makeStoreError(StoreCode::NotOpen);
    } else if (!m_store.dataConnection().isOpen()) {
        m_error = makeStoreError(StoreCode::NotOpen);
    } else if (m_store.dataConnection().begin(waitMs, m_error) == 0) {
        m_active = true;
        m_number = m_store.dataConnection().transactionNumber();
    }
    m_store.setLastError(m_error);
    return m_error.code;
}

int Transaction::commit() {
    if (!m_active || !ours()) {
        m_error = StoreError{};
        m_error.code = StoreCode::DriverError;
        m_error.driverCode = 1;
        m_error.driverText = QStringLiteral("cannot commit - no transaction is active");
        m_store.setLastError(m_error);
        return m_error.code;
    }
    m_store.dataConnection().commit(m_error);
    if (m_error.code == 0) {
        m_active = false;
    }
    m_store.setLastError(m_error);
    return m_error.code;
}

bool Transaction::ours() const {
    Connection& c = m_store.dataConnection();
    return c.inTransaction() && c.transactionNumber() == m_number;
}

bool Transaction::active() const {
    return m_active && ours();
}

void Transaction::rollback() {
    // A capture may already have rolled this transaction back, and another may have begun since.
    if (m_active && ours()) {
        m_store.dataConnection().rollback();
    }
    m_active = false;
}

} // namespace velatask
