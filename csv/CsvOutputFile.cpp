#include "csv/CsvOutputFile.h"

#include <cstring>

namespace velatask {

namespace {

#ifdef Q_OS_WIN
constexpr char kLineEnd[] = "\r\n";
#else
constexpr char kLineEnd[] = "\n";
#endif

} // namespace

CsvOutputFile::CsvOutputFile() {
    m_pending.reserve(kBufferBytes + 64 * 1024);
}

CsvOutputFile::~CsvOutputFile() {
    if (m_file.isOpen()) {
        m_file.close();
    }
}

bool CsvOutputFile::fail() {
    m_error.code = m_file.error() != QFileDevice::NoError ? int(m_file.error())
                                                          : int(QFileDevice::UnspecifiedError);
    m_error.text = m_file.errorString();
    return false;
}

bool CsvOutputFile::create(const QString& path) {
    m_error = CsvFileError{};
    m_pending.clear();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return fail();
    }
    m_file.close();
    return true;
}

bool CsvOutputFile::open() {
    m_error = CsvFileError{};
    // Unbuffered: the buffer here is the only one, so a failed write is known at once.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail();
    }
    return true;
}

bool CsvOutputFile::writeLine(const QString& line) {
    // Encoded straight into the buffer: no text of its own for each line.
    const qsizetype at = m_pending.size();
    m_pending.resize(at + line.size() * 3 + qsizetype(sizeof kLineEnd));
    char* end = m_encoder.appendToBuffer(m_pending.data() + at, line);
    for (const char c : kLineEnd) {
        if (c != '\0') {
            *end++ = c;
        }
    }
    m_pending.truncate(end - m_pending.constData());
    return m_pending.size() < kBufferBytes || flush();
}

bool CsvOutputFile::writeLine(QByteArrayView utf8) {
    const qsizetype at = m_pending.size();
    m_pending.resize(at + utf8.size() + qsizetype(sizeof kLineEnd) - 1);
    char* out = m_pending.data() + at;
    if (!utf8.isEmpty()) {
        std::memcpy(out, utf8.data(), size_t(utf8.size()));
    }
    std::memcpy(out + utf8.size(), kLineEnd, sizeof kLineEnd - 1);
    return m_pending.size() < kBufferBytes || flush();
}

bool CsvOutputFile::flush() {
    m_error = CsvFileError{};
    qsizetype written = 0;
    while (written < m_pending.size()) {
        const qint64 n = m_file.write(m_pending.constData() + written, m_pending.size() - written);
        if (n <= 0) {
            m_pending.remove(0, written);
            return fail();
        }
        written += qsizetype(n);
    }
    m_pending.clear();
    return true;
}

bool CsvOutputFile::close() {
    if (!m_file.isOpen()) {
        return true;
    }
    const bool flushed = flush();
    const CsvFileError flushError = m_error;
    m_file.close();
    if (!flushed) {
        m_error = flushError;
        return false;
    }
    if (m_file.error() != QFileDevice::NoError) {
        return fail();
    }
    return true;
}

} // namespace velatask
