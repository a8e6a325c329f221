#include "csv/ScheduleField.h"

#include "csv/CsvText.h"

#include <limits>

namespace velatask {

namespace {

using R = ScheduleRecord;
using T = ScheduleField::Type;

constexpr ScheduleField text(const char* name, const char* picture, int width, QString R::*m) {
    return ScheduleField{name, picture, T::Text, width, m, nullptr, nullptr};
}
constexpr ScheduleField flag(const char* name, std::uint8_t R::*m) {
    return ScheduleField{name, "@n3", T::Byte, 0, nullptr, m, nullptr};
}
constexpr ScheduleField number(const char* name, const char* picture, std::int32_t R::*m) {
    return ScheduleField{name, picture, T::Long, 0, nullptr, nullptr, m};
}

const std::array<ScheduleField, ScheduleField::kCount> kFields = {
    text("SCH:Message", "@s255", R::kMessageWidth, &R::Message),
    text("SCH:TaskType", "@s20", R::kTaskTypeWidth, &R::TaskType),
    text("SCH:Category", "@s20", R::kCategoryWidth, &R::Category),
    text("SCH:Description", "@s40", R::kDescriptionWidth, &R::Description),
    text("SCH:Command", "@s80", R::kCommandWidth, &R::Command),
    text("SCH:Path", "@s80", R::kPathWidth, &R::Path),
    text("SCH:ScheduleType", "@s20", R::kScheduleTypeWidth, &R::ScheduleType),
    flag("SCH:Sunday", &R::Sunday),
    flag("SCH:Monday", &R::Monday),
    flag("SCH:Tuesday", &R::Tuesday),
    flag("SCH:Wednesday", &R::Wednesday),
    flag("SCH:Thursday", &R::Thursday),
    flag("SCH:Friday", &R::Friday),
    flag("SCH:Saturday", &R::Saturday),
    number("SCH:Every", "@n6", &R::Every),
    flag("SCH:Every1st", &R::Every1st),
    flag("SCH:Every2nd", &R::Every2nd),
    flag("SCH:Every3rd", &R::Every3rd),
    flag("SCH:Every4th", &R::Every4th),
    flag("SCH:EveryLast", &R::EveryLast),
    text("SCH:EveryType", "@s20", R::kEveryTypeWidth, &R::EveryType),
    number("SCH:Date", "@d6", &R::Date),
    number("SCH:Time", "@t3", &R::Time),
    number("SCH:LastRunDate", "@d6", &R::LastRunDate),
    number("SCH:LastRunTime", "@t3", &R::LastRunTime),
    flag("SCH:SkipNextTime", &R::SkipNextTime),
    flag("SCH:Alarm", &R::Alarm),
    text("SCH:AlarmFile", "@s80", R::kAlarmFileWidth, &R::AlarmFile),
    number("SCH:AdvanceWarnDate", "@d3", &R::AdvanceWarnDate),
    number("SCH:AdvanceWarnTime", "@t3", &R::AdvanceWarnTime),
    flag("SCH:AdvanceWarned", &R::AdvanceWarned),
    flag("SCH:Warn", &R::Warn),
    flag("SCH:UserSkip", &R::UserSkip),
    flag("SCH:Disabled", &R::Disabled),
};

template <class N> N clamped(std::int64_t v) {
    if (v < std::int64_t(std::numeric_limits<N>::min())) {
        return std::numeric_limits<N>::min();
    }
    if (v > std::int64_t(std::numeric_limits<N>::max())) {
        return std::numeric_limits<N>::max();
    }
    return N(v);
}

} // namespace

const std::array<ScheduleField, ScheduleField::kCount>& ScheduleField::all() {
    return kFields;
}

int ScheduleField::indexOf(QStringView name) {
    for (int i = 0; i < kCount; ++i) {
        if (name == QLatin1String(kFields[size_t(i)].name)) {
            return i;
        }
    }
    return -1;
}

QString ScheduleField::textOf(const ScheduleRecord& r) const {
    switch (type) {
    case Type::Text:
        return r.*text;
    case Type::Byte:
        return QString::number(r.*byte);
    case Type::Long:
        return QString::number(r.*number);
    }
    return QString();
}

std::int64_t ScheduleField::numberOf(const ScheduleRecord& r) const {
    switch (type) {
    case Type::Text:
        return CsvText::numericValue(r.*text);
    case Type::Byte:
        return r.*byte;
    case Type::Long:
        return r.*number;
    }
    return 0;
}

void ScheduleField::setText(ScheduleRecord& r, QStringView value) const {
    if (type == Type::Text) {
        QStringView v = value.left(width);
        while (!v.isEmpty() && v.back() == QLatin1Char(' ')) {
            v.chop(1);
        }
        r.*text = v.toString();
    } else {
        setNumber(r, CsvText::numericValue(value));
    }
}

void ScheduleField::setNumber(ScheduleRecord& r, std::int64_t value) const {
    switch (type) {
    case Type::Text:
        r.*text = QString::number(value).left(width);
        break;
    case Type::Byte:
        r.*byte = clamped<std::uint8_t>(value);
        break;
    case Type::Long:
        r.*number = clamped<std::int32_t>(value);
        break;
    }
}

} // namespace velatask
