#include "report/ScheduleReport.h"

#include "core/Picture.h"
#include "report/BandBuilder.h"
#include "report/CursorSource.h"
#include "store/ScheduleRecord.h"

namespace velatask {
namespace {

QString flag(std::uint8_t value) {
    return value ? QStringLiteral("1") : QString();
}

} // namespace

QString ScheduleReport::title() const {
    return QStringLiteral("Schedule");
}

QStringList ScheduleReport::values(const ScheduleRecord& t) {
    QStringList v;
    v.reserve(SlotCount);
    v << Picture(u"@s20").formatText(t.TaskType) << Picture(u"@s20").formatText(t.Category)
      << Picture(u"@s40").formatText(t.Description) << Picture(u"@s80").formatText(t.Command)
      << t.Message << Picture(u"@s20").formatText(t.ScheduleType);
    for (int day = 0; day < 7; ++day) {
        v << flag(t.weekdayFlag(day));
    }
    v << Picture(u"@n6").format(t.Every) << flag(t.Every1st) << flag(t.Every2nd) << flag(t.Every3rd)
      << flag(t.Every4th) << flag(t.EveryLast) << Picture(u"@s20").formatText(t.EveryType)
      << Picture::formatDate(t.Date) << Picture::formatTime(t.Time)
      << Picture::formatDate(t.LastRunDate) << Picture::formatTime(t.LastRunTime)
      << flag(t.SkipNextTime) << flag(t.Alarm) << Picture(u"@s80").formatText(t.AlarmFile)
      << Picture::formatDate(t.AdvanceWarnDate) << Picture::formatTime(t.AdvanceWarnTime)
      << flag(t.Warn) << flag(t.UserSkip) << flag(t.Disabled);
    return v;
}

BandTemplate ScheduleReport::detail(const ReportStyle& style, qreal width) const {
    using F = ReportStyle::Font;
    BandBuilder b(style, width);
    const qreal column = width / 3;
    const qreal edge = style.gap() * 2; // between a value and the next column
    const qreal dateWidth = style.width(F::Value, QStringLiteral("May 30, 2099")) + style.gap();
    const qreal timeWidth = style.width(F::Value, QStringLiteral("12:59PM")) + style.gap();

    b.labelled(QStringLiteral("Task Type"), TaskType, column - edge);
    b.at(column);
    b.labelled(QStringLiteral("Category"), Category, 2 * column - edge);
    b.at(2 * column);
    b.labelled(QStringLiteral("Schedule Type"), ScheduleType, width);
    b.newRow();
    b.labelled(QStringLiteral("Description"), Description, width);
    b.newRow();
    b.labelled(QStringLiteral("Command"), Command, width);
    b.memo(QStringLiteral("Message"), Message);

    const char* days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                          "Thursday", "Friday", "Saturday"};
    for (int day = 0; day < 7; ++day) {
        b.check(QLatin1String(days[day]), Sunday + day);
    }
    b.newRow();
    b.labelledFixed(QStringLiteral("Every"), Every,
                    style.width(F::Value, QStringLiteral("000000")) + edge);
    const char* ordinals[] = {"1st", "2nd", "3rd", "4th", "Last"};
    for (int i = 0; i < 5; ++i) {
        b.check(QLatin1String(ordinals[i]), Every1st + i);
    }
    b.field(EveryType, 2 * column - edge);
    b.newRow();

    b.labelled(QStringLiteral("Date"), Date, column - edge);
    b.at(column);
    b.labelled(QStringLiteral("Time"), Time, 2 * column - edge);
    b.at(2 * column);
    b.labelledFixed(QStringLiteral("Last Run:"), LastRunDate, dateWidth);
    b.field(LastRunTime, width);
    b.newRow();
    b.check(QStringLiteral("Skip Next Time"), SkipNextTime);
    b.at(column);
    b.check(QStringLiteral("Alarm"), Alarm);
    b.field(AlarmFile, width);
    b.newRow();
    b.labelledFixed(QStringLiteral("Advance Warning"), AdvanceWarnDate, dateWidth);
    b.field(AdvanceWarnTime, b.x() + timeWidth);
    b.newRow();
    b.check(QStringLiteral("Warn if not run on specified date"), Warn);
    b.check(QStringLiteral("Give option to skip before performing"), UserSkip);
    b.check(QStringLiteral("Disabled"), Disabled);
    b.rule();
    return b.finish();
}

std::unique_ptr<ReportSource> ScheduleReport::source(Store& store) const {
    return makeScheduleSource(store, m_order, QStringList(), true, &ScheduleReport::values);
}

} // namespace velatask
