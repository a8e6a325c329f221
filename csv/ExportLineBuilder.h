#pragma once

#include "core/Picture.h"
#include "csv/CsvByteLine.h"
#include "csv/CsvLine.h"
#include "csv/CsvText.h"
#include "csv/ScheduleField.h"

#include <QList>
#include <QString>

#include <vector>

namespace velatask {

class StoredRows;

// A field chosen for export, with the picture it is written with.
struct ExportField {
    int field = 0; // position in ScheduleField::all()
    QString picture;
    bool operator==(const ExportField&) const = default;
};

// Writes the export's lines: each chosen field of a task in its picture's form, and the header
// line of field names.
class ExportLineBuilder {
public:
    explicit ExportLineBuilder(const QList<ExportField>& fields);

    void header(CsvLine& line) const;
    void build(const ScheduleRecord& task, CsvLine& line) const;
    // The same line, in UTF-8, of a stored row: the texts go from the row to the line as they
    // are. False when the line of the row's record is to be built instead (CsvByteLine's limits).
    bool build(const StoredRows& rows, size_t row, CsvByteLine& line) const;

private:
    struct Column {
        const ScheduleField* field;
        CsvText::PictureClass how;
        Picture picture;
        int stored; // the field's column in a stored row
    };
    std::int64_t numberOf(const Column& c, const StoredRows& rows, size_t row) const;
    std::vector<Column> m_columns;
};

} // namespace velatask
