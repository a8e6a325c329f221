#pragma once

#include "core/Picture.h"
#include "csv/CsvLine.h"
#include "csv/CsvText.h"
#include "csv/ScheduleField.h"

#include <QList>
#include <QString>

#include <vector>

namespace velatask {

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

private:
    struct Column {
        const ScheduleField* field;
        CsvText::PictureClass how;
        Picture picture;
    };
    std::vector<Column> m_columns;
};

} // namespace velatask
