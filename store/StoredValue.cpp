#include "store/StoredValue.h"

#include "core/FixedText.h"
#include "store/TableDef.h"

#include <cstdint>
#include <limits>

namespace velatask::StoredValue {

namespace {

QString cut(const QString& text, int width) {
    QString s = FixedText::fit(text, width);
    // A text that would end inside a surrogate pair loses the lone half.
    if (!s.isEmpty() && s.back().isHighSurrogate()) {
        s.chop(1);
    }
    return s;
}

template <class T> bool fits(qlonglong v) {
    return v >= qlonglong(std::numeric_limits<T>::min()) &&
           v <= qlonglong(std::numeric_limits<T>::max());
}

} // namespace

QVariant forWrite(const QVariant& value, const ColumnDef& column) {
    switch (column.type) {
    case ColumnType::Text: {
        const QString s = cut(value.toString(), column.width);
        return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
    }
    case ColumnType::Flag:
        return qlonglong(value.toLongLong() != 0 ? 1 : 0);
    case ColumnType::Byte:
        return qlonglong(std::uint8_t(value.toLongLong()));
    case ColumnType::Short:
        return qlonglong(std::int16_t(value.toLongLong()));
    case ColumnType::Long:
        break;
    }
    return qlonglong(std::int32_t(value.toLongLong()));
}

QVariantList forWrite(const QVariantList& row, const TableDef& table) {
    QVariantList out;
    out.reserve(int(table.columns.size()));
    for (size_t i = 0; i < table.columns.size(); ++i) {
        out.push_back(forWrite(row.value(int(i)), table.columns[i]));
    }
    return out;
}

QVariant forRead(const QVariant& value, const ColumnDef& column) {
    if (column.type == ColumnType::Text) {
        if (value.isNull()) {
            return QStringLiteral("");
        }
        const QString s = value.typeId() == QMetaType::QByteArray
                              ? QString::fromUtf8(value.toByteArray())
                              : value.toString();
        return cut(s, column.width);
    }
    bool ok = false;
    const qlonglong n = value.isNull() ? 0 : value.toLongLong(&ok);
    if (!ok) {
        return qlonglong(0);
    }
    switch (column.type) {
    case ColumnType::Flag:
        return qlonglong(n != 0 ? 1 : 0);
    case ColumnType::Byte:
        return qlonglong(fits<std::uint8_t>(n) ? n : 0);
    case ColumnType::Short:
        return qlonglong(fits<std::int16_t>(n) ? n : 0);
    case ColumnType::Long:
    case ColumnType::Text:
        break;
    }
    return qlonglong(fits<std::int32_t>(n) ? n : 0);
}

} // namespace velatask::StoredValue
