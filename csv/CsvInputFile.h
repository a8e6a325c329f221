#pragma once

#include "csv/CsvFileError.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

namespace velatask {

// A CSV file opened for reading, line by line. Its text is UTF-8 when the whole file is valid
// UTF-8 and Latin-1 otherwise (files from older systems); lines end in LF or CRLF. A file with
// NUL bytes is not a text file and is refused. Lines longer than the line limit are cut; the rest
// of such a line is skipped, never kept.
class CsvInputFile {
public:
    // Opens the file and looks it through once for its encoding. False, with error(), when it
    // cannot be opened or read, or is not a text file.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    const CsvFileError& error() const { return m_error; }
    QString path() const { return m_file.fileName(); }

    qint64 size() const { return m_size; }
    bool isUtf8() const { return m_utf8; }
    // True when some line holds more than blanks.
    bool hasText() const { return m_hasText; }

    // Back to the first line.
    bool rewind();
    // The next line without its line end; `bytes` is what it took in the file, line end
    // included. False at the end of the file (or when reading failed: see error()).
    bool readLine(QString& line, qint64& bytes);

private:
    bool scan();
    bool fill();
    void fail(const QString& text = QString());

    QFile m_file;
    QByteArray m_buffer;
    QByteArray m_pieces; // a line that runs past the end of the buffer
    qsizetype m_at = 0;
    qint64 m_size = 0;
    bool m_utf8 = true;
    bool m_hasText = false;
    bool m_atStart = true;
    CsvFileError m_error;
};

} // namespace velatask
