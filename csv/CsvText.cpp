#include "csv/CsvText.h"

#include <cmath>
#include <limits>

namespace velatask::CsvText {

PictureClass classify(QStringView picture) {
    if (picture.size() < 2 || picture.at(0) != QLatin1Char('@')) {
        return PictureClass::Other;
    }
    const QChar c = picture.at(1).toLower();
    if (c == QLatin1Char('s')) {
        return PictureClass::String;
    }
    if (c == QLatin1Char('n')) {
        return PictureClass::Numeric;
    }
    return PictureClass::Other;
}

QString headerName(const QString& fieldName) {
    if (!fieldName.contains(QLatin1Char('['))) {
        return fieldName;
    }
    QString name = fieldName;
    name.replace(QLatin1Char(','), QLatin1Char('_'))
        .replace(QLatin1Char('['), QLatin1Char('_'))
        .replace(QLatin1Char(']'), QLatin1Char(' '));
    return name;
}

QByteArrayView digits(std::int64_t value, char (&buffer)[24]) {
    int n = sizeof buffer;
    const bool negative = value < 0;
    // The magnitude as unsigned so that the lowest value works too.
    std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(value) : std::uint64_t(value);
    do {
        buffer[--n] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        buffer[--n] = '-';
    }
    return QByteArrayView(buffer + n, qsizetype(sizeof buffer) - n);
}

std::int64_t numericValue(QStringView text) {
    const QStringView t = text.trimmed();
    if (t.isEmpty()) {
        return 0;
    }
    // Plain integers first: exact over the whole 64-bit range.
    bool ok = false;
    const qlonglong whole = t.toLongLong(&ok);
    if (ok) {
        return whole;
    }
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d)) {
        return 0;
    }
    constexpr double kLimit = 9.2e18;
    if (d >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (d <= -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(d);
}

QString errorMessage(int code, const QString& text) {
    return QStringLiteral("Error #%1 - %2").arg(code).arg(text);
}

} // namespace velatask::CsvText
