#include "windows/ScheduleList.h"

#include "core/FixedText.h"
#include "store/KeepBuffer.h"
#include "store/Store.h"
#include "store/WindowCursor.h"
#include "ui/BrowseList.h"
#include "ui/BrowseWindow.h"

namespace velatask::ScheduleList {
namespace {

bool isAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0x7f) {
            return false;
        }
    }
    return true;
}

} // namespace

void declareRecordAccess(BrowseWindow& window, Store& store) {
    window.setRecordAccess(
        [&store](std::int64_t position) {
            store.SCH.watch();
            return store.SCH.reget(QString::number(position));
        },
        [&store] {
            // The buffer holds the task as the form or wizard wrote it; the view's current record
            // may be another one it wrote afterwards (the task a rescheduled copy skips).
            KeepBuffer keep(store.SCH);
            return store.SCH.fetch(ScheduleKey::KeyID) == 0 ? store.SCH.pointer() : 0;
        });
}

int showCategory(WindowCursor& cursor, const QString& category) {
    const QString name = FixedText::rtrim(category);
    // The key's index folds only the ASCII letters: a range over it finds every spelling of
    // such a name at once. Other letters ("Ärger", "ärger") are compared in capitals row by row.
    if (isAscii(name)) {
        cursor.setRange({name});
        return cursor.setFilter(Filter());
    }
    cursor.setRange({});
    return cursor.setFilter(Filter::compare(QStringLiteral("Category"), Filter::Op::Equal, name,
                                            Filter::Fold::Capitals));
}

void fitTypeColumns(BrowseList& list, int taskTypeColumn, int scheduleTypeColumn) {
    list.fitText(taskTypeColumn, QStringLiteral("Display Message"));
    list.fitText(scheduleTypeColumn, QStringLiteral("Day of Month"));
}

} // namespace velatask::ScheduleList
