#pragma once

#include "csv/CsvInputFile.h"

#include <QString>

#include <deque>

namespace velatask {

// Reads the records of a CSV file: one line each (blank lines hold none), except that a quoted
// field holding line breaks (a message of several lines, as the export writes it) continues over
// the following lines. When the quote does not close within the line limit or before the end of the
// file, the line stands alone and its open quote takes the rest of it, as the field reader says.
class CsvRecordReader {
public:
    explicit CsvRecordReader(CsvInputFile& file) : m_file(file) {}

    bool rewind();
    // The next record; `bytes` is what it and the blank lines before it took in the file.
    // False at the end.
    bool read(QString& record, qint64& bytes);
    // Why the last read ended early: ok() when it reached the end of the file.
    const CsvFileError& error() const { return m_file.error(); }
    QString path() const { return m_file.path(); }

private:
    struct Line {
        QString text;
        qint64 bytes = 0;
    };
    bool nextLine(Line& line);

    CsvInputFile& m_file;
    std::deque<Line> m_ahead; // lines read ahead that did not join the record before them
    Line m_line;
};

} // namespace velatask
