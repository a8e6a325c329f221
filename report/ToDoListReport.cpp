#include "report/ToDoListReport.h"

#include "core/Picture.h"
#include "report/BandBuilder.h"
#include "report/CursorSource.h"
#include "store/ToDoRecord.h"

namespace velatask {

QString ToDoListReport::title() const {
    return QStringLiteral("To Do...");
}

QStringList ToDoListReport::values(const ToDoRecord& item) {
    return {item.Done ? QStringLiteral("1") : QString(), Picture(u"@n2").format(item.Priority),
            Picture(u"@s40").formatText(item.ToDo)};
}

BandTemplate ToDoListReport::detail(const ReportStyle& style, qreal width) const {
    BandBuilder b(style, width);
    b.check(QStringLiteral("Done"), Done);
    b.field(Priority, b.x() + style.width(ReportStyle::Font::Value, QStringLiteral("00")),
            Qt::AlignRight);
    b.at(b.x() + style.gap() * 2);
    b.field(ToDo, width);
    return b.finish();
}

std::unique_ptr<ReportSource> ToDoListReport::source(Store& store) const {
    return makeToDoSource(store, &ToDoListReport::values);
}

} // namespace velatask
