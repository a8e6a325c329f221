#pragma once

#include "core/Picture.h"
#include "csv/CsvFieldReader.h"
#include "csv/CsvText.h"
#include "csv/ScheduleField.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace velatask {

// What the import does with each line: the import fields Field_1 .. Field_n (one per field of
// the file's first line) with their pictures, and which import field each Schedule field takes
// its value from.
class ImportPlan {
public:
    static constexpr int kNone = -1;
    static const QString kQuotedPicture;   // "@S1000"
    static const QString kUnquotedPicture; // "@N30.9"

    // One import field per field of the first line: a quoted field reads as text, an unquoted
    // one as a number. Clears every assignment.
    void setFields(const std::vector<CsvField>& firstLine);

    int fieldCount() const { return int(m_fields.size()); }
    static QString fieldName(int field); // "Field_1" for 0
    QString picture(int field) const;
    void setPicture(int field, const QString& picture);
    // "Alpha-num" for text pictures, "Numeric" for number pictures, otherwise the picture.
    QString typeWord(int field) const;

    // The import field a target (position in ScheduleField::all()) takes its value from.
    int assignment(int target) const;
    void assign(int target, int field);
    void unassign(int target);
    bool anyAssigned() const;
    // Gives each target without an assignment the first import field whose value (on the line
    // shown) is the target's name. A date or time target so found reads its field with its own
    // picture when the field still has the text picture it was given (the file's header line
    // names the fields, and their dates would otherwise read as text and be lost).
    void autoAssign(const QStringList& values);

    // Splits a record and stores each assigned field into the task. Targets without an
    // assignment, or whose field the record lacks, keep the values that they have.
    void apply(QStringView record, ScheduleRecord& task) const;

private:
    struct Field {
        QString picture;
        CsvText::PictureClass how = CsvText::PictureClass::String;
        Picture reader;
    };

    std::vector<Field> m_fields;
    std::array<int, ScheduleField::kCount> m_targets{}; // import field per target, or kNone
    mutable std::vector<CsvField> m_split;              // reused between lines
};

} // namespace velatask
