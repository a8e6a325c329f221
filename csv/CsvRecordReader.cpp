#include "csv/CsvRecordReader.h"

#include "csv/CsvText.h"

#include <vector>

namespace velatask {

namespace {

// Follows the field reader's quoting over text given in pieces, to tell whether a quoted field
// is still open at the end of what it has seen.
class QuoteState {
public:
    // Jumps from one quote or comma that matters to the next: inside a field only its end
    // changes the state.
    void feed(QStringView text) {
        qsizetype i = 0;
        while (i < text.size()) {
            switch (m_state) {
            case FieldStart:
            case QuoteSeen: { // a doubled quote, or the closing one
                const QChar c = text[i++];
                if (c == QLatin1Char('"')) {
                    m_state = Quoted;
                } else if (c == QLatin1Char(',')) {
                    m_state = FieldStart;
                } else {
                    m_state = m_state == FieldStart ? Plain : AfterQuoted;
                }
                break;
            }
            case Plain:
            case AfterQuoted:
                i = text.indexOf(QLatin1Char(','), i);
                if (i < 0) {
                    return;
                }
                ++i;
                m_state = FieldStart;
                break;
            case Quoted:
                i = text.indexOf(QLatin1Char('"'), i);
                if (i < 0) {
                    return;
                }
                ++i;
                m_state = QuoteSeen;
                break;
            }
        }
    }
    bool open() const { return m_state == Quoted; }

private:
    enum { FieldStart, Plain, Quoted, QuoteSeen, AfterQuoted } m_state = FieldStart;
};

bool isBlank(const QString& line) {
    for (const QChar c : line) {
        if (!c.isSpace()) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CsvRecordReader::rewind() {
    m_ahead.clear();
    return m_file.rewind();
}

bool CsvRecordReader::nextLine(Line& line) {
    if (!m_ahead.empty()) {
        line = std::move(m_ahead.front());
        m_ahead.pop_front();
        return true;
    }
    return m_file.readLine(line.text, line.bytes);
}

bool CsvRecordReader::read(QString& record, qint64& bytes) {
    // The line is read into the buffer that the previous record had: no allocation per line.
    Line& first = m_line;
    bytes = 0;
    do {
        if (!nextLine(first)) {
            record.clear();
            return false;
        }
        bytes += first.bytes;
    } while (isBlank(first.text));
    record.swap(first.text);
    if (!record.contains(QLatin1Char('"'))) {
        return true;
    }
    QuoteState quotes;
    quotes.feed(record);
    if (!quotes.open()) {
        return true;
    }
    // Join the following lines while the quote stays open and the record within the limit.
    std::vector<Line> joined;
    QString whole = record;
    qint64 wholeBytes = bytes;
    Line next;
    while (quotes.open() && whole.size() < CsvText::kMaxLine && nextLine(next)) {
        whole += QLatin1Char('\n');
        quotes.feed(QStringView(u"\n"));
        whole += next.text;
        quotes.feed(next.text);
        wholeBytes += next.bytes;
        joined.push_back(std::move(next));
    }
    if (!quotes.open() && whole.size() <= CsvText::kMaxLine) {
        record = std::move(whole);
        bytes = wholeBytes;
        return true;
    }
    // The quote never closed: the line stands alone and the lines read ahead come next.
    for (auto it = joined.rbegin(); it != joined.rend(); ++it) {
        m_ahead.push_front(std::move(*it));
    }
    return true;
}

} // namespace velatask
