#pragma once

#include "report/Report.h"

namespace velatask {

struct ToDoRecord;

// "To Do...": the To Do items, open ones first, then by priority and text; one line each with
// the "Done" box, the priority and the text.
class ToDoListReport : public Report {
public:
    enum Slot { Done, Priority, ToDo, SlotCount };

    QString title() const override;
    BandTemplate detail(const ReportStyle& style, qreal width) const override;
    std::unique_ptr<ReportSource> source(Store& store) const override;

    static QStringList values(const ToDoRecord& item);
};

} // namespace velatask
