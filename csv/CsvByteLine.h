#pragma once

#include "core/Picture.h"
#include "csv/CsvText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace velatask {

// An export line built in UTF-8 bytes from texts that are UTF-8 already: the same fields, quoting
// and doubled quotes as CsvLine writes, without a round trip through UTF-16. A UTF-16 unit takes
// at least one byte, so while a field stays within CsvText::kMaxField bytes and the line within
// CsvText::kMaxLine bytes, the character line would cut nothing and both give the same bytes.
// Past that, overLimit() says so and the line is to be built by CsvLine instead.
class CsvByteLine {
public:
    CsvByteLine();

    void clear();

    // As CsvLine::append(): `utf8` is the text's UTF-8.
    void append(QByteArrayView utf8, CsvText::PictureClass how);
    void appendNumber(std::int64_t value);
    void appendFormatted(const Picture& picture, std::int64_t value);

    const QByteArray& bytes() const { return m_bytes; }
    int fieldCount() const { return m_fields; }
    // Whether a field or the line is longer in bytes than the limits of characters.
    bool overLimit() const { return m_over || m_bytes.size() > CsvText::kMaxLine; }

private:
    void separate();
    void put(char c) { m_bytes.append(c); }
    void put(QByteArrayView s) { m_bytes.append(s.data(), s.size()); }
    void putQuoted(QByteArrayView value);

    QByteArray m_bytes;
    QString m_formatted; // a date or time as its picture writes it, reused
    int m_fields = 0;
    bool m_over = false;
};

} // namespace velatask
