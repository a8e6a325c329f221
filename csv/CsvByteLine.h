#pragma once

#include "core/Picture.h"
#include "csv/CsvText.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <string>

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

    QByteArrayView bytes() const {
        return QByteArrayView(m_bytes.data(), qsizetype(m_bytes.size()));
    }
    int fieldCount() const { return m_fields; }
    // Whether a field or the line is longer in bytes than the limits of characters.
    bool overLimit() const { return m_over || m_bytes.size() > size_t(CsvText::kMaxLine); }

private:
    void separate();
    void put(char c) { m_bytes.push_back(c); }
    void put(QByteArrayView s) { m_bytes.append(s.data(), size_t(s.size())); }
    void putQuoted(QByteArrayView value);

    std::string m_bytes; // appends of a few bytes cost less than in a QByteArray
    QString m_formatted; // a date or time as its picture writes it, reused
    int m_fields = 0;
    bool m_over = false;
};

} // namespace velatask
