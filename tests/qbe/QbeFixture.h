#pragma once

#include "qbe/Criterion.h"
#include "store/Keys.h"
#include "tests/store/StoreTestBase.h"

#include <QVariant>

namespace velatask {

// A Schedule table to search, with the fields the tests put criteria on.
class QbeFixture : public StoreTestBase {
public:
    // The field of a task by name, as a cursor hands it over.
    static QVariant fieldOf(const ScheduleRecord& r, const QString& field);
    static void setField(ScheduleRecord& r, const QString& field, const QVariant& value);

protected:
    void SetUp() override { ASSERT_EQ(store().SCH.open(), 0); }
};

inline QVariant QbeFixture::fieldOf(const ScheduleRecord& r, const QString& field) {
    if (field == "TaskType") {
        return r.TaskType;
    }
    if (field == "Category") {
        return r.Category;
    }
    if (field == "Description") {
        return r.Description;
    }
    if (field == "Message") {
        return r.Message;
    }
    if (field == "Every") {
        return qlonglong(r.Every);
    }
    if (field == "Date") {
        return qlonglong(r.Date);
    }
    if (field == "Time") {
        return qlonglong(r.Time);
    }
    if (field == "Disabled") {
        return qlonglong(r.Disabled);
    }
    return qlonglong(r.Alarm);
}

inline void QbeFixture::setField(ScheduleRecord& r, const QString& field, const QVariant& v) {
    if (field == "TaskType") {
        r.TaskType = v.toString();
    } else if (field == "Category") {
        r.Category = v.toString();
    } else if (field == "Description") {
        r.Description = v.toString();
    } else if (field == "Message") {
        r.Message = v.toString();
    } else if (field == "Every") {
        r.Every = v.toInt();
    } else if (field == "Date") {
        r.Date = v.toInt();
    } else if (field == "Time") {
        r.Time = v.toInt();
    } else if (field == "Disabled") {
        r.Disabled = std::uint8_t(v.toInt());
    } else {
        r.Alarm = std::uint8_t(v.toInt());
    }
}

} // namespace velatask
