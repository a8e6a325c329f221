#include "scripting/ui/TextLineLoader.h"

#include <QStringDecoder>

#include <algorithm>

namespace velatask {

namespace {

// Enough bytes for kLineWidth characters of UTF-8 plus a line end.
constexpr qint64 kKeptBytes = TextLineLoader::kLineWidth * 4 + 2;
constexpr qint64 kChunk = 4096;
constexpr int kTabStop = 8;

} // namespace

TextLineLoader::Opened TextLineLoader::open(const QString& path) {
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_errorText = m_file.errorString();
        return Opened::CannotOpen;
    }
    m_size = m_file.size();
    if (m_size <= 0) {
        close();
        return Opened::Empty;
    }
    m_atEnd = false;
    return Opened::Ok;
}

void TextLineLoader::close() {
    if (m_file.isOpen()) {
        m_file.close();
    }
    m_size = 0;
    m_read = 0;
    m_atEnd = true;
}

qint64 TextLineLoader::readLine(QByteArray& kept) {
    kept.clear();
    qint64 consumed = 0;
    char buffer[kChunk];
    for (;;) {
        const qint64 n = m_file.readLine(buffer, sizeof buffer);
        if (n <= 0) {
            m_atEnd = true;
            break;
        }
        consumed += n;
        const bool lineEnds = buffer[n - 1] == '\n';
        const qint64 room = kKeptBytes - kept.size();
        if (room > 0) {
            kept.append(buffer, static_cast<qsizetype>(std::min(n, room)));
        }
        if (lineEnds) {
            break;
        }
    }
    if (m_file.atEnd()) {
        m_atEnd = true;
    }
    return consumed;
}

void TextLineLoader::readBatch(QStringList& lines) {
    qint64 batch = 0;
    while (!m_atEnd && batch < kBatchBytes) {
        QByteArray bytes;
        const qint64 consumed = readLine(bytes);
        if (consumed == 0) {
            break;
        }
        batch += consumed;
        lines.append(decodeLine(bytes));
    }
    m_read += batch;
}

int TextLineLoader::percent() const {
    if (m_size <= 0) {
        return 100;
    }
    return static_cast<int>(std::min<qint64>(100, m_read * 100 / m_size));
}

QString TextLineLoader::decodeLine(const QByteArray& bytes) {
    QByteArray line = bytes;
    while (line.endsWith('\n') || line.endsWith('\r')) {
        line.chop(1);
    }
    // A line cut short may end inside a character: the stateful decoder keeps such a tail as
    // pending instead of calling the line invalid. A whole line must be valid to its end.
    const bool cut = bytes.size() >= kKeptBytes && !bytes.endsWith('\n');
    QStringDecoder utf8(QStringDecoder::Utf8,
                        cut ? QStringDecoder::Flag::Default : QStringDecoder::Flag::Stateless);
    QString text = utf8(line);
    if (utf8.hasError()) {
        text = QString::fromLatin1(line);
    }
    QString shown;
    shown.reserve(kLineWidth);
    for (const QChar c : std::as_const(text)) {
        if (shown.size() >= kLineWidth) {
            break;
        }
        if (c == u'\t') {
            shown += QString(kTabStop - shown.size() % kTabStop, u' ');
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            shown += QChar(QChar::ReplacementCharacter);
        } else {
            shown += c;
        }
    }
    return shown.left(kLineWidth);
}

} // namespace velatask
