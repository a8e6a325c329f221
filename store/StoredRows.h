#pragma once

#include "store/ScheduleRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace velatask {

// Schedule rows as a reader of the file gives them, for work that writes them out again without
// making records of them (an export): for each column of TableDef::schedule(), in its order, a
// number or a text as UTF-8. The values are those of the record that the row reads as (numbers
// kept to their column's range, texts cut to their width, never NULL), so text(r, c) is the
// UTF-8 of the record's text.
class StoredRows {
public:
    StoredRows();

    void clear();
    size_t size() const { return m_rows; }
    int columns() const { return m_columns; }

    std::int64_t number(size_t row, int column) const { return cell(row, column).number; }
    QByteArrayView text(size_t row, int column) const {
        const Cell& c = cell(row, column);
        return QByteArrayView(m_texts.data() + c.at, c.size);
    }
    // The text as the record holds it.
    QString string(size_t row, int column) const;
    // The record that the row reads as.
    void record(size_t row, ScheduleRecord& out) const;

    // Filling: a row's columns one after the other, in order.
    void addNumber(std::int64_t value);
    void addText(QByteArrayView utf8);
    void addText(const QString& text);

    // UTF-8 that reads as it is: well-formed (no overlong forms, no surrogates, nothing above
    // U+10FFFF) and without U+FFFE or U+FFFF, which the engine reads as U+FFFD.
    static bool isUtf8(QByteArrayView bytes);

private:
    struct Cell {
        std::int64_t number = 0;
        qsizetype at = 0;
        qsizetype size = 0;
    };
    const Cell& cell(size_t row, int column) const {
        return m_cells[row * size_t(m_columns) + size_t(column)];
    }
    void added();

    int m_columns;
    int m_filled = 0; // columns of the row being added
    size_t m_rows = 0;
    std::vector<Cell> m_cells;
    std::string m_texts;
};

} // namespace velatask
