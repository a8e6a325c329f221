#pragma once

#include "report/Report.h"

#include <array>

namespace velatask {

struct ScheduleRecord;

// "Schedule in Brief": one line per task in date order under the column headings "Date",
// "Time", "Category" and "Description".
class BriefScheduleReport : public Report {
public:
    enum Slot { Date, Time, Category, Description, SlotCount };

    QString title() const override;
    BandTemplate detail(const ReportStyle& style, qreal width) const override;
    BandTemplate headings(const ReportStyle& style, qreal width) const override;
    std::unique_ptr<ReportSource> source(Store& store) const override;

    static QStringList values(const ScheduleRecord& task);

private:
    // Where each column begins, and the width.
    static std::array<qreal, 5> columns(const ReportStyle& style, qreal width);
};

} // namespace velatask
