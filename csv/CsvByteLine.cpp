#include "csv/CsvByteLine.h"

#include <cstring>

namespace velatask {

CsvByteLine::CsvByteLine() {
    m_bytes.reserve(2048);
}

void CsvByteLine::clear() {
    m_bytes.clear(); // keeps the memory for the next line
    m_fields = 0;
    m_over = false;
}

void CsvByteLine::separate() {
    if (m_fields > 0) {
        put(',');
    }
    ++m_fields;
}

void CsvByteLine::append(QByteArrayView utf8, CsvText::PictureClass how) {
    separate();
    if (utf8.size() > CsvText::kMaxField) {
        m_over = true;
    }
    switch (how) {
    case CsvText::PictureClass::String: {
        // A blank is one byte in UTF-8 and never part of another character.
        qsizetype n = utf8.size();
        while (n > 0 && utf8[n - 1] == ' ') {
            --n;
        }
        putQuoted(utf8.first(n));
        break;
    }
    case CsvText::PictureClass::Numeric:
        put(utf8);
        break;
    case CsvText::PictureClass::Other:
        putQuoted(utf8);
        break;
    }
}

void CsvByteLine::appendNumber(std::int64_t value) {
    char buffer[24];
    separate();
    put(CsvText::digits(value, buffer));
}

void CsvByteLine::appendFormatted(const Picture& picture, std::int64_t value) {
    separate();
    m_formatted.truncate(0);
    picture.appendFormatted(value, m_formatted);
    put('"');
    const auto* in = reinterpret_cast<const char16_t*>(m_formatted.utf16());
    const char16_t* const end = in + m_formatted.size();
    // Pictures write digits, signs and month names; anything wider goes the encoder's way.
    for (; in != end && *in < 0x80; ++in) {
        put(char(*in));
    }
    if (in != end) {
        put(QByteArrayView(QStringView(in, end).toUtf8()));
    }
    put('"');
}

void CsvByteLine::putQuoted(QByteArrayView value) {
    put('"');
    const char* from = value.data();
    const char* const end = from + value.size();
    while (from != end) {
        const void* q = std::memchr(from, '"', size_t(end - from));
        if (!q) {
            break;
        }
        const char* quote = static_cast<const char*>(q);
        put(QByteArrayView(from, quote + 1));
        put('"');
        from = quote + 1;
    }
    put(QByteArrayView(from, end));
    put('"');
}

} // namespace velatask
