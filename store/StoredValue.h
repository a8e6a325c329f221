#pragma once

#include <QByteArrayView>
#include <QVariant>

namespace velatask {

struct ColumnDef;
struct TableDef;

// How a value is stored in a column and how a stored value is handed out: text cut to its field,
// numbers kept within their type. Rows written by other tools may hold anything (NULL, long text,
// numbers out of range, the wrong type); a value read is never trusted.
namespace StoredValue {

// The value as the column stores it: text without trailing blanks and cut to the width, numbers
// cast to the field's type, flags as 0 or 1.
QVariant forWrite(const QVariant& value, const ColumnDef& column);
// Every column of a row of the table, missing ones empty.
QVariantList forWrite(const QVariantList& row, const TableDef& table);

// The stored value as a record field shows it: NULL as blank text or 0, text cut to the field,
// a number outside the field's range as 0 (a blank date or time), any other flag than 0 as 1.
QVariant forRead(const QVariant& value, const ColumnDef& column);

// The parts of forWrite() and forRead() for a value already known to be a number or a text.
qlonglong numberForWrite(qlonglong value, const ColumnDef& column);
QString textForWrite(const QString& text, const ColumnDef& column);
qlonglong numberForRead(qlonglong value, const ColumnDef& column);
QString textForRead(const QString& text, const ColumnDef& column);
// textForRead() in place.
void fitForRead(QString& text, const ColumnDef& column);
// fitForRead() of valid UTF-8: the bytes of the text that fitForRead() leaves.
void fitForRead(QByteArrayView& utf8, const ColumnDef& column);

} // namespace StoredValue
} // namespace velatask
