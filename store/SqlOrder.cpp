#include "store/SqlOrder.h"

#include "store/KeyText.h"

#include <QByteArray>

#include <algorithm>

namespace velatask::SqlOrder {

namespace {

int typeClass(const QVariant& v) {
    if (v.isNull()) {
        return 0;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return 1;
    case QMetaType::QByteArray:
        return 3;
    default:
        return 2;
    }
}

int bytes(const QByteArray& a, const QByteArray& b, bool noCase) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (noCase) {
            x = (x >= 'A' && x <= 'Z') ? x + 32 : x;
            y = (y >= 'A' && y <= 'Z') ? y + 32 : y;
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int compare(const QVariant& a, const QVariant& b, bool noCase) {
    const int ta = typeClass(a);
    const int tb = typeClass(b);
    if (ta != tb) {
        return ta < tb ? -1 : 1;
    }
    switch (ta) {
    case 0:
        return 0;
    case 1:
        if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double) {
            const double x = a.toDouble();
            const double y = b.toDouble();
            return x < y ? -1 : (y < x ? 1 : 0);
        } else {
            const qlonglong x = a.toLongLong();
            const qlonglong y = b.toLongLong();
            return x < y ? -1 : (y < x ? 1 : 0);
        }
    case 3:
        return bytes(a.toByteArray(), b.toByteArray(), false);
    default:
        return bytes(KeyText::utf8(a), KeyText::utf8(b), noCase);
    }
}

} // namespace velatask::SqlOrder
