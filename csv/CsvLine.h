#pragma once

#include "core/Picture.h"
#include "csv/CsvText.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace velatask {

// The line buffer that an export line is built in, and the field writer that appends to it:
// fields separated by single commas, string fields quoted with their inner quotes doubled,
// numbers plain, formatted dates and times quoted. The line never grows past the line limit.
class CsvLine {
public:
    CsvLine();

    void clear();

    // Appends one field written the way its picture class asks: a String value loses its
    // trailing blanks and is quoted; a Numeric value (its digits) is written as it is; any other
    // value (text formatted with a date or time picture) is quoted.
    void append(QStringView value, CsvText::PictureClass how);
    // Appends a number as a Numeric field: its plain digits.
    void appendNumber(std::int64_t value);
    // Appends a date or time formatted with its picture, quoted: the text is built in the line
    // itself. Such texts hold no quotes.
    void appendFormatted(const Picture& picture, std::int64_t value);

    const QString& text() const { return m_text; }
    int fieldCount() const { return m_fields; }

private:
    void put(QChar c);
    void put(QStringView s);
    void put(QLatin1String s);
    void putQuoted(QStringView value);

    QString m_text;
    int m_fields = 0;
};

} // namespace velatask
