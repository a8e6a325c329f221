#pragma once

#include "store/SqlParts.h"

#include <QString>
#include <QVariantList>

#include <cstdint>
#include <vector>

namespace velatask {

class SqlDialect;
struct TableDef;

// The SQL of reading one table in one key's order through the key's index: the conditions that
// keep a record in the key, an equal-prefix range, keyset bounds and the order. Text components
// compare without regard to case, as the indexes do, and equal key values follow in record
// position (row id) order. Key -1 stands for record order (row id alone). The dialect spells the
// position and the folded text of the engine underneath.
class KeysetSql {
public:
    KeysetSql(const TableDef& table, int key, const SqlDialect& dialect)
        : m_table(table), m_key(key), m_dialect(dialect) {}

    int componentCount() const;
    int column(int component) const;

    // "Category COLLATE NOCASE DESC, Description COLLATE NOCASE DESC, rowid DESC".
    QString orderBy(int direction) const;
    // Keeps the records that an "exclude empty" key leaves out of its index.
    void present(SqlParts& parts) const;
    // The first values.size() components equal to the values.
    void range(const QVariantList& values, SqlParts& parts) const;
    // Records after (direction > 0) or before the record with these key values and row id;
    // with `inclusive` the record itself too. The first `fixed` components are left out: the
    // caller keeps them equal to the record's by a range, and the engine seeks in the index only
    // when the compared row of values starts at the first component after the equal ones. With
    // `nullable` NULL values (written by other tools, sorted lowest) are compared as the order
    // sorts them, at the price of the index seek.
    void beyond(const QVariantList& key, std::int64_t rowid, int direction, bool inclusive,
                bool nullable, SqlParts& parts, int fixed = 0) const;
    // Records whose components from `first` on are >= (direction > 0) or <= the values.
    void fromValue(int first, const QVariantList& values, int direction, SqlParts& parts) const;

    // The components whose stored bytes a read selects after its columns (text components, where
    // the engine needs them), with bytesColumn() of each; takeBytes() sets such a component to
    // the KeyText of its bytes when it held text that the driver's reading changed (a leading
    // byte order mark, which a bound UTF-16 text loses, or invalid UTF-8). Key values taken so
    // anchor pages exactly.
    std::vector<int> bytesComponents() const;
    QString bytesColumn(int component) const;
    static void takeBytes(const QVariant& bytes, QVariant& component);

private:
    QString name(int component) const;
    // The bound value's spelling: stored bytes (a KeyText) compare as such.
    QString mark(int component, const QVariant& value) const;
    QVariant bound(int component, const QVariant& value) const;
    // The component as compared with mark(): folded where the engine needs it.
    QString compared(int component) const;
    QString position() const;

    const TableDef& m_table;
    int m_key;
    const SqlDialect& m_dialect;
};

} // namespace velatask
