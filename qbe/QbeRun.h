#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

class QbeScan;
class Store;
class Tags;

// One search as a progress window runs it, a slice at a time: the matching records are tagged
// in a tag set (select), their tags removed (unselect), or they are handed over one at a time
// (edit). A read error is reported as the standard warning 35 on the table and ends the search.
class QbeRun {
public:
    enum class Action { Edit, Select, Unselect };
    // Tags written or removed in one slice at most, as one write to the tag file: enough to
    // make the flush cheap per tag, few enough to keep the window answering.
    static constexpr int kTagsPerSlice = 500;

    QbeRun(Store& store, QbeScan& scan, Tags& tags, int set, Action action, QString tableName);

    // Plans the read from the first record; false when that failed (the warning was shown).
    bool start();
    // Reads on over about `rows` records, or up to kTagsPerSlice matches when selecting or
    // unselecting. False when the search stops: at the end of the table, on an error, or in edit
    // mode at a match (current() holds it; call again to go on).
    bool slice(int rows);

    Action action() const { return m_action; }
    bool atEnd() const;
    bool failed() const { return m_failed; }
    // Matching records so far.
    std::int64_t found() const { return m_found; }
    // Edit: the position of the latest match, 0 before the first.
    std::int64_t current() const { return m_current; }
    int percent() const;

private:
    void fail(int code);

    Store& m_store;
    QbeScan& m_scan;
    Tags& m_tags;
    int m_set;
    Action m_action;
    QString m_tableName;
    std::int64_t m_found = 0;
    std::int64_t m_current = 0;
    bool m_failed = false;
};

} // namespace velatask
