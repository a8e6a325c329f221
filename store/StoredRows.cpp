#include "store/StoredRows.h"

#include "store/RecordCodec.h"
#include "store/TableDef.h"

#include <QStringDecoder>

#include <bit>
#include <cstring>

namespace velatask {

namespace {

// Decodes as the engine's reads decode: a leading byte order mark stays.
QString decode(QByteArrayView utf8) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                     QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

// One row's columns as record fields read them.
class RowFields {
public:
    RowFields(const StoredRows& rows, size_t row) : m_rows(rows), m_row(row) {}
    qlonglong number() { return m_rows.number(m_row, m_column++); }
    void text(QString& into) { into = m_rows.string(m_row, m_column++); }

private:
    const StoredRows& m_rows;
    size_t m_row;
    int m_column = 0;
};

} // namespace

StoredRows::StoredRows() : m_columns(int(TableDef::schedule().columns.size())) {
    m_texts.reserve(64 * 1024);
    m_cells.reserve(size_t(m_columns) * 256);
}

void StoredRows::clear() {
    m_cells.clear();
    m_texts.clear(); // both keep their memory for the next page
    m_rows = 0;
    m_filled = 0;
}

QString StoredRows::string(size_t row, int column) const {
    return decode(text(row, column));
}

void StoredRows::record(size_t row, ScheduleRecord& out) const {
    RowFields fields(*this, row);
    RecordCodec::readSchedule(fields, out, TableDef::schedule());
}

void StoredRows::added() {
    if (++m_filled == m_columns) {
        m_filled = 0;
        ++m_rows;
    }
}

void StoredRows::addNumber(std::int64_t value) {
    m_cells.push_back(Cell{value, 0, 0});
    added();
}

void StoredRows::addText(QByteArrayView utf8) {
    m_cells.push_back(Cell{0, qsizetype(m_texts.size()), utf8.size()});
    m_texts.append(utf8.data(), size_t(utf8.size()));
    added();
}

void StoredRows::addText(const QString& text) {
    addText(QByteArrayView(text.toUtf8()));
}

bool StoredRows::isUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    while (p != end) {
        // ASCII eight bytes at a time, and the ASCII before the first other byte among them.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t high = word & 0x8080808080808080ULL;
            if (high == 0) {
                p += 8;
                continue;
            }
            p += (std::endian::native == std::endian::little ? std::countr_zero(high)
                                                              : std::countl_zero(high)) /
                 8;
        } else if (*p < 0x80) {
            ++p;
            continue;
        }
        const unsigned char b = *p++;
        int more = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            low = b == 0xE0 ? 0xA0 : 0x80;  // no overlong form
            high = b == 0xED ? 0x9F : 0xBF; // no surrogate
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
        } else {
            return false;
        }
        if (end - p < more || *p < low || *p > high) {
            return false;
        }
        if (b == 0xEF && p[0] == 0xBF && p[1] >= 0xBE) {
            return false; // U+FFFE, U+FFFF
        }
        for (++p; --more > 0; ++p) {
            if ((*p & 0xC0) != 0x80) {
                return false;
            }
        }
    }
    return true;
}

} // namespace velatask
