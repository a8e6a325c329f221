#pragma once

#include "store/StoreError.h"

namespace velatask {

class Store;

// A transaction over the tables of the data file "SM": begun with a wait limit, rolled back by
// the destructor unless committed.
class Transaction {
public:
    static constexpr int kDefaultWaitMs = 2000;

    explicit Transaction(Store& store);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Waits at most waitMs for other writers; 32 when they still hold the file.
    int begin(int waitMs = kDefaultWaitMs);
    int commit();
    void rollback();
    bool active() const;
    const StoreError& error() const { return m_error; }

private:
    bool ours() const;

    Store& m_store;
    StoreError m_error;
    bool m_active = false;
    long long m_number = 0;
};

} // namespace velatask
