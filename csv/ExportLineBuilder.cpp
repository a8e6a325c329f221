#include "csv/ExportLineBuilder.h"

namespace velatask {

ExportLineBuilder::ExportLineBuilder(const QList<ExportField>& fields) {
    m_columns.reserve(size_t(fields.size()));
    for (const ExportField& f : fields) {
        if (f.field < 0 || f.field >= ScheduleField::kCount) {
            continue;
        }
        m_columns.push_back(Column{&ScheduleField::all()[size_t(f.field)],
                                   CsvText::classify(f.picture), Picture(f.picture)});
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

} // namespace velatask
