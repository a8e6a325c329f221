#include "store/StoredValue.h"

#include "core/FixedText.h"
#include "store/TableDef.h"

#include <algorithm>
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

qlonglong numberForWrite(qlonglong value, const ColumnDef& column) {
    switch (column.type) {
    case ColumnType::Flag:
        return value != 0 ? 1 : 0;
    case ColumnType::Byte:
        return std::uint8_t(value);
    case ColumnType::Short:
        return std::int16_t(value);
    case ColumnType::Long:
    case ColumnType::Text:
        break;
    }
    return std::int32_t(value);
}

QString textForWrite(const QString& text, const ColumnDef& column) {
    const QString s = cut(text, column.width);
    return s.isNull() ? QStringLiteral("") : s;
}

QVariant forWrite(const QVariant& value, const ColumnDef& column) {
    if (column.type == ColumnType::Text) {
        return textForWrite(value.toString(), column);
    }
    return numberForWrite(value.toLongLong(), column);
}

QVariantList forWrite(const QVariantList& row, const TableDef& table) {
    QVariantList out;
    out.reserve(int(table.columns.size()));
    for (size_t i = 0; i < table.columns.size(); ++i) {
        out.push_back(forWrite(row.value(int(i)), table.columns[i]));
    }
    return out;
}

qlonglong numberForRead(qlonglong n, const ColumnDef& column) {
    switch (column.type) {
    case ColumnType::Flag:
        return n != 0 ? 1 : 0;
    case ColumnType::Byte:
        return fits<std::uint8_t>(n) ? n : 0;
    case ColumnType::Short:
        return fits<std::int16_t>(n) ? n : 0;
    case ColumnType::Long:
    case ColumnType::Text:
        break;
    }
    return fits<std::int32_t>(n) ? n : 0;
}

QString textForRead(const QString& text, const ColumnDef& column) {
    return cut(text, column.width);
}

void fitForRead(QString& text, const ColumnDef& column) {
    // As cut(), without a copy of the text.
    qsizetype n = std::min<qsizetype>(text.size(), column.width);
    while (n > 0 && text.at(n - 1) == QLatin1Char(' ')) {
        --n;
    }
    if (n > 0 && text.at(n - 1).isHighSurrogate()) {
        --n;
    }
    if (n < text.size()) {
        text.truncate(n);
    }
}

void fitForRead(QByteArrayView& utf8, const ColumnDef& column) {
    // The width counts UTF-16 units: one for each character of up to three bytes, two for one
    // of four. A text of no more bytes than that has no more units either.
    qsizetype n = utf8.size();
    if (n > column.width) {
        qsizetype units = 0;
        qsizetype i = 0;
        for (; i < n; ++i) {
            const auto b = std::uint8_t(utf8[i]);
            if ((b & 0xC0) == 0x80) {
                continue; // inside a character
            }
            const int width = b >= 0xF0 ? 2 : 1;
            if (units + width > column.width) {
                break;
            }
            units += width;
        }
        if (i < n && units < column.width) {
            // The width ends inside a surrogate pair: the lone half goes, the blanks before it
            // stay, as fitForRead() of the text does.
            utf8 = utf8.first(i);
            return;
        }
        n = i;
    }
    while (n > 0 && utf8[n - 1] == ' ') {
        --n;
    }
    utf8 = utf8.first(n);
}

QVariant forRead(const QVariant& value, const ColumnDef& column) {
    if (column.type == ColumnType::Text) {
        if (value.isNull()) {
            return QStringLiteral("");
        }
        const QString s = value.typeId() == QMetaType::QByteArray
                              ? QString::fromUtf8(value.toByteArray())
                              : value.toString();
        return textForRead(s, column);
    }
    bool ok = false;
    const qlonglong n = value.isNull() ? 0 : value.toLongLong(&ok);
    return ok ? numberForRead(n, column) : qlonglong(0);
}

} // namespace velatask::StoredValue
