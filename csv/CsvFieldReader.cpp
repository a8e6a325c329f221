#include "csv/CsvFieldReader.h"

#include "csv/CsvText.h"

namespace velatask {

CsvFieldReader::CsvFieldReader(QStringView line) : m_line(line.left(CsvText::kMaxLine)) {}

bool CsvFieldReader::atEnd() const {
    if (m_at < 0) {
        return true;
    }
    for (qsizetype i = m_at; i < m_line.size(); ++i) {
        if (!m_line.at(i).isSpace()) {
            return false;
        }
    }
    return true;
}

bool CsvFieldReader::next(CsvField& field) {
    field.text.resize(0); // keeps its room for the next field: no allocation per field
    field.quoted = false;
    field.closed = true;
    if (atEnd()) {
        m_at = -1;
        return false;
    }
    if (m_line.at(m_at) == QLatin1Char('"')) {
        readQuoted(field);
    } else {
        readPlain(field);
    }
    return true;
}

void CsvFieldReader::readQuoted(CsvField& field) {
    field.quoted = true;
    qsizetype from = m_at + 1;
    for (;;) {
        const qsizetype quote = m_line.indexOf(QLatin1Char('"'), from);
        if (quote < 0) {
            // No closing quote: the field is the rest of the line.
            field.text += m_line.mid(from);
            field.closed = false;
            m_at = -1;
            break;
        }
        field.text += m_line.mid(from, quote - from);
        if (quote + 1 < m_line.size() && m_line.at(quote + 1) == QLatin1Char('"')) {
            field.text += QLatin1Char('"');
            from = quote + 2;
            continue;
        }
        // Past the closing quote and the comma that follows it.
        const qsizetype comma = m_line.indexOf(QLatin1Char(','), quote + 1);
        m_at = comma < 0 ? -1 : comma + 1;
        break;
    }
    field.text.truncate(CsvText::kMaxField);
}

void CsvFieldReader::readPlain(CsvField& field) {
    const qsizetype comma = m_line.indexOf(QLatin1Char(','), m_at);
    const qsizetype end = comma < 0 ? m_line.size() : comma;
    field.text.append(m_line.mid(m_at, qMin<qsizetype>(end - m_at, CsvText::kMaxField)));
    m_at = comma < 0 ? -1 : comma + 1;
}

} // namespace velatask
