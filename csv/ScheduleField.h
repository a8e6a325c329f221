#pragma once

#include "store/ScheduleRecord.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

namespace velatask {

// One of the Schedule fields that export and import move: its name, its default picture, and
// how to get and set its value in a record.
struct ScheduleField {
    enum class Type { Text, Byte, Long };

    const char* name; // "SCH:Description"
    const char* picture;
    Type type;
    int width; // characters, text fields only
    QString ScheduleRecord::*text = nullptr;
    std::uint8_t ScheduleRecord::*byte = nullptr;
    std::int32_t ScheduleRecord::*number = nullptr;

    QString nameText() const { return QString::fromLatin1(name); }
    QString pictureText() const { return QString::fromLatin1(picture); }
    bool isText() const { return type == Type::Text; }

    // The value as a text field holds it, or as a number (the numeric value of a text field).
    QString textOf(const ScheduleRecord& r) const;
    std::int64_t numberOf(const ScheduleRecord& r) const;
    // Stores a text (cut to the field's width) or a number (kept within the field's range);
    // a number given to a text field is stored as its digits, a text given to a number field
    // as its numeric value.
    void setText(ScheduleRecord& r, QStringView value) const;
    void setNumber(ScheduleRecord& r, std::int64_t value) const;

    // The 34 fields in the order of the export's "All Fields" list and the import's targets.
    static constexpr int kCount = 34;
    static const std::array<ScheduleField, kCount>& all();
    // Position in all() of the field with that name, -1 when there is none.
    static int indexOf(QStringView name);
};

} // namespace velatask
