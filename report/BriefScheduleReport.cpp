#include "report/BriefScheduleReport.h"

#include "core/Picture.h"
#include "report/BandBuilder.h"
#include "report/CursorSource.h"
#include "store/ScheduleRecord.h"

namespace velatask {

QString BriefScheduleReport::title() const {
    return QStringLiteral("Schedule in Brief");
}

QStringList BriefScheduleReport::values(const ScheduleRecord& task) {
    return {Picture(u"@d6").format(task.Date), Picture::formatTime(task.Time),
            Picture(u"@s20").formatText(task.Category),
            Picture(u"@s40").formatText(task.Description)};
}

std::array<qreal, 5> BriefScheduleReport::columns(const ReportStyle& style, qreal width) {
    using F = ReportStyle::Font;
    const qreal space = style.gap() * 3;
    const qreal time = style.width(F::Value, QStringLiteral("30/12/2099")) + space;
    const qreal category = time + style.width(F::Value, QStringLiteral("12:59PM")) + space;
    const qreal description = category + width * 0.26;
    return {0, time, category, description, width};
}

BandTemplate BriefScheduleReport::headings(const ReportStyle& style, qreal width) const {
    const auto x = columns(style, width);
    BandBuilder b(style, width);
    const char* names[] = {"Date", "Time", "Category", "Description"};
    for (int c = 0; c < SlotCount; ++c) {
        b.at(x[c]);
        b.label(QLatin1String(names[c]), x[c + 1] - style.gap(), ReportStyle::Font::Heading);
    }
    return b.finish();
}

BandTemplate BriefScheduleReport::detail(const ReportStyle& style, qreal width) const {
    const auto x = columns(style, width);
    BandBuilder b(style, width);
    for (int c = 0; c < SlotCount; ++c) {
        b.at(x[c]);
        b.field(c, x[c + 1] - style.gap());
    }
    return b.finish();
}

std::unique_ptr<ReportSource> BriefScheduleReport::source(Store& store) const {
    return makeScheduleSource(store, ScheduleKey::KeyDate,
                              {QStringLiteral("Date"), QStringLiteral("Time"),
                               QStringLiteral("Category"), QStringLiteral("Description")},
                              false, &BriefScheduleReport::values);
}

} // namespace velatask
