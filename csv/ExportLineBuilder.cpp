#include "csv/ExportLineBuilder.h"

#include "store/StoredRows.h"
#include "store/TableDef.h"

namespace velatask {

namespace {

// The column of the Schedule table that a field ("SCH:Date") is stored in.
int storedColumn(const ScheduleField& field) {
    const QString name = field.nameText().section(QLatin1Char(':'), 1);
    const std::vector<ColumnDef>& columns = TableDef::schedule().columns;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name == name) {
            return int(i);
        }
    }
    return -1;
}

} // namespace

ExportLineBuilder::ExportLineBuilder(const QList<ExportField>& fields) {
    m_columns.reserve(size_t(fields.size()));
    for (const ExportField& f : fields) {
        if (f.field < 0 || f.field >= ScheduleField::kCount) {
            continue;
        }
        const ScheduleField& field = ScheduleField::all()[size_t(f.field)];
        m_columns.push_back(
            Column{&field, CsvText::classify(f.picture), Picture(f.picture), storedColumn(field)});
    }
}

void ExportLineBuilder::header(CsvLine& line) const {
    line.clear();
    for (const Column& c : m_columns) {
        line.append(CsvText::headerName(c.field->nameText()), CsvText::PictureClass::String);
    }
}

void ExportLineBuilder::build(const ScheduleRecord& task, CsvLine& line) const {
    line.clear();
    for (const Column& c : m_columns) {
        switch (c.how) {
        case CsvText::PictureClass::String:
            if (c.field->isText()) {
                line.append(task.*(c.field->text), c.how); // no copy of the text
            } else {
                line.append(c.field->textOf(task), c.how);
            }
            break;
        case CsvText::PictureClass::Numeric:
            line.appendNumber(c.field->numberOf(task));
            break;
        case CsvText::PictureClass::Other:
            // Dates and times through their picture; a picture that formats nothing known
            // leaves the value as it is.
            if (c.picture.isValid()) {
                line.appendFormatted(c.picture, c.field->numberOf(task));
            } else {
                line.append(c.field->textOf(task), c.how);
            }
            break;
        }
    }
}

// The field's value as the record holds it: a stored number goes into the record's field as
// RecordCodec puts it there.
std::int64_t ExportLineBuilder::numberOf(const Column& c, const StoredRows& rows,
                                         size_t row) const {
    switch (c.field->type) {
    case ScheduleField::Type::Text:
        return CsvText::numericValue(rows.string(row, c.stored));
    case ScheduleField::Type::Byte:
        return std::uint8_t(rows.number(row, c.stored));
    case ScheduleField::Type::Long:
        break;
    }
    return std::int32_t(rows.number(row, c.stored));
}

bool ExportLineBuilder::build(const StoredRows& rows, size_t row, CsvByteLine& line) const {
    line.clear();
    char buffer[24];
    for (const Column& c : m_columns) {
        if (c.stored < 0) {
            return false;
        }
        const bool text = c.field->isText();
        switch (c.how) {
        case CsvText::PictureClass::String:
            line.append(text ? rows.text(row, c.stored)
                             : CsvText::digits(numberOf(c, rows, row), buffer),
                        c.how);
            break;
        case CsvText::PictureClass::Numeric:
            line.appendNumber(numberOf(c, rows, row));
            break;
        case CsvText::PictureClass::Other:
            if (c.picture.isValid()) {
                line.appendFormatted(c.picture, numberOf(c, rows, row));
            } else {
                line.append(text ? rows.text(row, c.stored)
                                 : CsvText::digits(numberOf(c, rows, row), buffer),
                            c.how);
            }
            break;
        }
    }
    return !line.overLimit();
}

} // namespace velatask
