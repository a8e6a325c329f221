#pragma once

#include "report/Report.h"
#include "store/Keys.h"

namespace velatask {

struct ScheduleRecord;

// "Schedule": every task with all its settings, one block each, in date or in category order.
class ScheduleReport : public Report {
public:
    // The printed values of a block, in this order.
    enum Slot {
        TaskType,
        Category,
        Description,
        Command,
        Message,
        ScheduleType,
        Sunday,
        Monday,
        Tuesday,
        Wednesday,
        Thursday,
        Friday,
        Saturday,
        Every,
        Every1st,
        Every2nd,
        Every3rd,
        Every4th,
        EveryLast,
        EveryType,
        Date,
        Time,
        LastRunDate,
        LastRunTime,
        SkipNextTime,
        Alarm,
        AlarmFile,
        AdvanceWarnDate,
        AdvanceWarnTime,
        Warn,
        UserSkip,
        Disabled,
        SlotCount
    };

    explicit ScheduleReport(ScheduleKey order) : m_order(order) {}

    QString title() const override;
    BandTemplate detail(const ReportStyle& style, qreal width) const override;
    std::unique_ptr<ReportSource> source(Store& store) const override;

    static QStringList values(const ScheduleRecord& task);

private:
    ScheduleKey m_order;
};

} // namespace velatask
