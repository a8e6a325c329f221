#pragma once

#include "csv/CsvFieldReader.h"
#include "csv/CsvInputFile.h"
#include "csv/CsvRecordReader.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace velatask {

class Store;

// The file an import reads, from the file choice until the window closes, and the line that the
// window shows ("Rec#"), split into its fields.
class ImportFile {
public:
    ImportFile() : m_reader(m_file) {}

    // Asks for a file until one opens and holds text, or the user cancels (`askPath` answers
    // an empty path). Says through the store's Ui why a file was refused; the store's own files
    // are. False when cancelled.
    bool choose(Store& store, const std::function<QString()>& askPath);
    // Opens the file and shows its first line; false, with error(), when it cannot be opened.
    bool open(const QString& path);

    const CsvFileError& error() const { return m_file.error(); }
    bool hasText() const { return m_file.hasText(); }
    QString path() const { return m_path; }
    qint64 size() const { return m_file.size(); }
    CsvRecordReader& reader() { return m_reader; }

    // The line shown: its number (1 for the first) and its fields.
    int recordNumber() const { return m_recordNumber; }
    const std::vector<CsvField>& fields() const { return m_fields; }
    QStringList values() const;
    // Shows the next line; false, keeping the line shown, at the end of the file.
    bool next();

private:
    CsvInputFile m_file;
    CsvRecordReader m_reader;
    QString m_path;
    int m_recordNumber = 0;
    std::vector<CsvField> m_fields;
};

} // namespace velatask
