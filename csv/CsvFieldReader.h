#pragma once

#include <QString>
#include <QStringView>

namespace velatask {

// One field as the reader found it.
struct CsvField {
    QString text;
    bool quoted = false;
    // False when a quoted field had no closing quote and took the rest of the line.
    bool closed = true;
};

// The field reader: splits one line into its fields, left to right. A quoted field runs to the
// next quote that is not doubled (a doubled quote stands for one); one without its closing quote
// takes the rest of the line. An unquoted field runs to the next comma. When the rest of the line
// is blank there are no more fields. Lines and fields longer than the limits are cut; nothing
// past the end of the line is ever read.
class CsvFieldReader {
public:
    explicit CsvFieldReader(QStringView line);

    // Reads the next field; false, with an empty field, when there are no more.
    bool next(CsvField& field);
    bool atEnd() const;

private:
    void readQuoted(CsvField& field);
    void readPlain(CsvField& field);

    QStringView m_line;
    qsizetype m_at = 0; // index of the next field; -1 once there are no more
};

} // namespace velatask
