#pragma once

#include <QString>

#include <vector>

namespace velatask {

// How one column is stored: text cut to a width, or a whole number of a given range.
enum class ColumnType { Text, Long, Short, Byte, Flag };

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Long;
    int width = 0;     // characters, for text
    bool memo = false; // read only when a reader asks for it
};

struct KeyDef {
    QString name; // without prefix: "KeyDateEnabled"
    std::vector<int> columns;
    bool unique = false;
    bool excludeEmpty = true;
};

// The declaration of one table: columns in record order and keys in the order of the key enum.
// All keys compare text without regard to letter case.
struct TableDef {
    QString table;  // "Schedule"
    QString prefix; // "SCH"; the indexes are named "SCH:KeyID"
    bool tagFile = false;
    std::vector<ColumnDef> columns;
    std::vector<KeyDef> keys;

    QString indexName(int key) const { return prefix + QLatin1Char(':') + keys[key].name; }
    QString storeName() const;
    QString createTableSql() const;
    QString createIndexSql(int key) const;
    // The partial-index condition of an "exclude empty" key, e.g. "(Date <> 0 OR Time <> 0)";
    // empty for keys that keep every record.
    QString presentCondition(int key) const;
    // "Category COLLATE NOCASE" for text components.
    QString orderTerm(int column) const;
    bool isText(int column) const { return columns[column].type == ColumnType::Text; }
    // The column of a field name ("Date", also "SCH:Date" with the table's prefix); -1 when the
    // table has no such field. Letter case is not significant, as in SQL.
    int columnOf(const QString& field) const;
    // "INSERT INTO Schedule (ID, ...) VALUES (?, ...)" over every column in declared order; made
    // once, since imports add one record after another.
    const QString& insertSql() const;
    mutable QString insertText; // what insertSql() made

    static const TableDef& schedule();
    static const TableDef& history();
    static const TableDef& categories();
    static const TableDef& toDo();
    static const TableDef& scripting();
    static const TableDef& tagFile_();
};

} // namespace velatask
