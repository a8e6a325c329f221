#include "csv/CsvInputFile.h"

#include "csv/CsvText.h"
#include "csv/Utf8Validator.h"

#include <cstring>

namespace velatask {

namespace {

constexpr qint64 kChunk = 64 * 1024;
// A line of the line limit's characters takes at most four bytes each.
constexpr qsizetype kMaxLineBytes = qsizetype(CsvText::kMaxLine) * 4;

} // namespace

bool CsvInputFile::open(const QString& path) {
    close();
    m_error = CsvFileError{};
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        fail();
        return false;
    }
    m_size = m_file.size();
    if (!scan() || !rewind()) {
        m_file.close();
        return false;
    }
    return true;
}

void CsvInputFile::close() {
    if (m_file.isOpen()) {
        m_file.close();
    }
    m_buffer.clear();
    m_at = 0;
}

void CsvInputFile::fail(const QString& text) {
    m_error.code = int(m_file.error()) != 0 ? int(m_file.error()) : int(QFileDevice::ReadError);
    m_error.text = text.isEmpty() ? m_file.errorString() : text;
}

// One pass over the file: its encoding, whether it is text at all, whether it holds any.
bool CsvInputFile::scan() {
    Utf8Validator utf8;
    m_hasText = false;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = m_file.read(chunk.data(), kChunk);
        if (n < 0) {
            fail();
            return false;
        }
        if (n == 0) {
            break;
        }
        const char* p = chunk.constData();
        if (std::memchr(p, '\0', size_t(n)) != nullptr) {
            m_error.code = int(QFileDevice::OpenError);
            m_error.text = QStringLiteral("Not a text file");
            return false;
        }
        if (!utf8.failed()) {
            utf8.feed(p, n);
        }
        for (qint64 i = 0; i < n && !m_hasText; ++i) {
            const char c = p[i];
            m_hasText = c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v';
        }
    }
    m_utf8 = utf8.valid();
    return true;
}

bool CsvInputFile::rewind() {
    m_buffer.clear();
    m_at = 0;
    m_atStart = true;
    if (!m_file.seek(0)) {
        fail();
        return false;
    }
    m_error = CsvFileError{}; // reading starts afresh
    return true;
}

bool CsvInputFile::fill() {
    m_buffer.resize(kChunk);
    const qint64 n = m_file.read(m_buffer.data(), kChunk);
    if (n < 0) {
        fail();
    }
    m_buffer.resize(n > 0 ? qsizetype(n) : 0);
    m_at = 0;
    return n > 0;
}

bool CsvInputFile::readLine(QString& line, qint64& bytes) {
    line.resize(0); // keeps its room: no allocation per line
    bytes = 0;
    if (!m_file.isOpen()) {
        return false;
    }
    // A line that lies whole in the buffer is decoded from there; one that runs past the
    // buffer's end is gathered first.
    m_pieces.resize(0);
    QByteArrayView raw;
    bool any = false;
    for (;;) {
        if (m_at >= m_buffer.size() && !fill()) {
            raw = m_pieces;
            break;
        }
        any = true;
        const char* p = m_buffer.constData() + m_at;
        const qsizetype n = m_buffer.size() - m_at;
        const auto* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(n)));
        const qsizetype take = nl ? qsizetype(nl - p) : n;
        const qsizetype room = kMaxLineBytes - m_pieces.size();
        const qsizetype used = take + (nl ? 1 : 0);
        bytes += used;
        m_at += used;
        if (nl && m_pieces.isEmpty()) {
            raw = QByteArrayView(p, qMin(take, room));
            break;
        }
        m_pieces.append(p, qMin(take, room));
        if (nl) {
            raw = m_pieces;
            break;
        }
    }
    if (!any) {
        return false;
    }
    if (raw.endsWith('\r')) {
        raw.chop(1);
    }
    if (m_atStart && m_utf8 && raw.startsWith("\xEF\xBB\xBF")) {
        raw = raw.sliced(3); // byte order mark of editors that write one
    }
    m_atStart = false;
    // UTF-16 takes at most one unit per byte of either encoding.
    line.resize(raw.size());
    QChar* end = line.data();
    if (m_utf8) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        end = decoder.appendToBuffer(end, raw);
    } else {
        for (const char c : raw) {
            *end++ = QLatin1Char(c);
        }
    }
    line.truncate(qMin<qsizetype>(end - line.constData(), CsvText::kMaxLine));
    return true;
}

} // namespace velatask
