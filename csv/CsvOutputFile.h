#pragma once

#include "csv/CsvFileError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringEncoder>

namespace velatask {

// A CSV file being written: lines in UTF-8, each ended by the platform's line end, gathered in a
// buffer and written out in large pieces. What could not be written stays in the buffer, so that
// writing it again (Retry) loses nothing and repeats nothing.
class CsvOutputFile {
public:
    CsvOutputFile();
    ~CsvOutputFile();
    CsvOutputFile(const CsvOutputFile&) = delete;
    CsvOutputFile& operator=(const CsvOutputFile&) = delete;

    // Creates the file, replacing one of that name, and leaves it empty and closed.
    bool create(const QString& path);
    // Opens the created file for writing.
    bool open();
    // Appends a line; false when writing the buffer out failed (see error()).
    bool writeLine(const QString& line);
    // Appends a line that is UTF-8 already.
    bool writeLine(QByteArrayView utf8);
    // Writes out what the buffer holds; false when that failed.
    bool flush();
    // Forgets what could not be written (the export was abandoned).
    void discard() { m_pending.clear(); }
    // Writes out the rest and closes; false when either failed.
    bool close();

    bool isOpen() const { return m_file.isOpen(); }
    const CsvFileError& error() const { return m_error; }
    QString path() const { return m_file.fileName(); }

    // Writing out starts once the buffer holds this many bytes.
    static constexpr qsizetype kBufferBytes = 256 * 1024;

private:
    bool fail();

    QFile m_file;
    QByteArray m_pending;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    CsvFileError m_error;
};

} // namespace velatask
