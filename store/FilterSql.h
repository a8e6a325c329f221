#pragma once

#include "store/Filter.h"
#include "store/SqlParts.h"
#include "store/StoreError.h"

#include <set>

namespace velatask {

class SqlDialect;
struct TableDef;

// Writes a filter as an SQL condition over one table, every value bound and every field name
// checked against the table's columns (never text pasted into SQL). Tag conditions read the
// tag file attached under kTagSchema.
class FilterSql {
public:
    // How a tag condition is written: driven by the tag set (rowid IN the set's positions; best
    // for small sets and for counting) or probed per record (best when many records are tagged).
    enum class Tags { Drive, Probe };
    static constexpr const char* kTagSchema = "velatask_tags";

    FilterSql(const TableDef& table, const SqlDialect& dialect, Tags tags = Tags::Drive)
        : m_table(table), m_dialect(dialect), m_tags(tags) {}

    // Adds the condition to `parts`; 0, or 90 "no such field: ..." (nothing added).
    int render(const Filter& filter, SqlParts& parts, StoreError& error);

    // What the last rendered filter reads.
    const std::set<int>& columns() const { return m_columns; }
    bool readsTags() const { return m_readsTags; }
    // The user and set of the first tag condition.
    std::int32_t tagUser() const { return m_tagUser; }
    int tagSet() const { return m_tagSet; }

private:
    QString node(const Filter& filter, QVariantList& binds);
    QString field(const QString& name);
    QString textValue(const QVariant& value, int mode) const;

    const TableDef& m_table;
    const SqlDialect& m_dialect;
    Tags m_tags;
    std::set<int> m_columns;
    bool m_readsTags = false;
    std::int32_t m_tagUser = 0;
    int m_tagSet = 0;
    QString m_unknown;
};

} // namespace velatask
