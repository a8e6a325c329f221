#pragma once

#include "store/StoreError.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace velatask {

class Store;

// Tag sets over record positions, kept in TagFile_ per user. Each operation opens the tag table
// for its own duration through the use count.
class Tags {
public:
    // Called after each slice of work with the records done so far and the total; returning
    // false cancels.
    using Progress = std::function<bool(int done, int total)>;

    static constexpr int kClearSlice = 10;

    explicit Tags(Store& store) : m_store(store) {}

    void setUser(std::int32_t user) { m_user = user; }
    std::int32_t user() const { return m_user; }

    void SetTag_(int set, std::int32_t position, const QString& value = QString());
    void ClrTag_(int set, std::int32_t position);
    // Set or clear the tags of many positions as one write to the tag file: one flush for all
    // of them instead of one each. On a failure the tags stay as they were; it is reported as
    // the single operation would be.
    void SetTags_(int set, const std::vector<std::int32_t>& positions);
    void ClrTags_(int set, const std::vector<std::int32_t>& positions);
    bool isTagged(int set, std::int32_t position);
    // Positions in TF_:ValKey order; 0 when the set is empty or at its end.
    std::int32_t firstTag(int set);
    std::int32_t nextTag(int set);
    // Counts the set's tags; -1 when cancelled.
    int CntTag_(int set, const Progress& progress = Progress());
    // Removes all tags of the set; false when cancelled part way (the rest of the set stays).
    bool NewTag_(int set, const Progress& progress = Progress());

    // The text of the latest failure ("Error #... - ... (SetTag_/ADD)"), empty when none.
    QString lastErrorText() const { return m_lastErrorText; }

private:
    bool setOne(int set, std::int32_t position, const QString& value);
    bool clearOne(int set, std::int32_t position);
    void inOneWrite(const QString& operation, const std::vector<std::int32_t>& positions,
                    const std::function<bool(std::int32_t)>& each);
    void report(const QString& operation);
    void report(const QString& operation, const StoreError& error);

    Store& m_store;
    std::int32_t m_user = 0;
    std::int32_t m_nextFrom = 0;
    QString m_nextValue;
    QString m_lastErrorText;
};

} // namespace velatask
