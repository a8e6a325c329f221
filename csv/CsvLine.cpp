#include "csv/CsvLine.h"

namespace velatask {

CsvLine::CsvLine() {
    m_text.reserve(1024);
}

void CsvLine::clear() {
    m_text.truncate(0); // keeps the memory for the next line; clear() would give it back
    m_fields = 0;
}

void CsvLine::append(QStringView value, CsvText::PictureClass how) {
    if (m_fields > 0) {
        put(QLatin1Char(','));
    }
    ++m_fields;
    value = value.left(CsvText::kMaxField);
    switch (how) {
    case CsvText::PictureClass::String: {
        qsizetype n = value.size();
        while (n > 0 && value.at(n - 1) == QLatin1Char(' ')) {
            --n;
        }
        putQuoted(value.left(n));
        break;
    }
    case CsvText::PictureClass::Numeric:
        put(value);
        break;
    case CsvText::PictureClass::Other:
        putQuoted(value);
        break;
    }
}

void CsvLine::appendNumber(std::int64_t value) {
    char buffer[24];
    const QByteArrayView text = CsvText::digits(value, buffer);
    if (m_fields > 0) {
        put(QLatin1Char(','));
    }
    ++m_fields;
    put(QLatin1String(text.data(), text.size()));
}

void CsvLine::appendFormatted(const Picture& picture, std::int64_t value) {
    if (m_fields > 0) {
        put(QLatin1Char(','));
    }
    ++m_fields;
    put(QLatin1Char('"'));
    if (m_text.size() < CsvText::kMaxLine) {
        picture.appendFormatted(value, m_text);
        m_text.truncate(CsvText::kMaxLine);
    }
    put(QLatin1Char('"'));
}

void CsvLine::putQuoted(QStringView value) {
    put(QLatin1Char('"'));
    qsizetype from = 0;
    for (qsizetype i = value.indexOf(QLatin1Char('"')); i >= 0;
         i = value.indexOf(QLatin1Char('"'), from)) {
        put(value.mid(from, i + 1 - from));
        put(QLatin1Char('"'));
        from = i + 1;
    }
    put(value.mid(from));
    put(QLatin1Char('"'));
}

void CsvLine::put(QChar c) {
    if (m_text.size() < CsvText::kMaxLine) {
        m_text.append(c);
    }
}

void CsvLine::put(QLatin1String s) {
    const qsizetype room = CsvText::kMaxLine - m_text.size();
    if (room > 0) {
        m_text.append(s.left(room));
    }
}

void CsvLine::put(QStringView s) {
    const qsizetype room = CsvText::kMaxLine - m_text.size();
    if (room > 0) {
        m_text.append(s.left(room));
    }
}

} // namespace velatask
