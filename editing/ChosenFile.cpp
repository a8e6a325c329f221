#include "editing/ChosenFile.h"

#include "core/FixedText.h"
#include "store/ScheduleRecord.h"

#include <algorithm>

namespace velatask::ChosenFile {

namespace {

const QString kStart = QStringLiteral("START ");

} // namespace

QStringList programFilters() {
    return {kAllFilesFilter, kProgramsFilter, kDesktopFilter};
}

QStringList wavFilters() {
    return {kWavFilter};
}

QString directoryOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) {
        return QString();
    }
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString quotedWord(const QString& path) {
    static const QString kSplitting = QStringLiteral(" \t\n'\"\\");
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return kSplitting.contains(c); })) {
        return path;
    }
    QString quoted = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == u'"' || c == u'\\' || c == u'$' || c == u'`') {
            quoted += u'\\';
        }
        quoted += c;
    }
    return quoted + u'"';
}

void applyProgram(ScheduleRecord& task, const QString& chosen, bool isProgram) {
    if (FixedText::isBlank(task.Path)) {
        task.Path = FixedText::fit(directoryOf(chosen), ScheduleRecord::kPathWidth);
    }
    const QString word = quotedWord(chosen);
    task.Command = FixedText::fit(isProgram ? word : kStart + word, ScheduleRecord::kCommandWidth);
}

QString programStart(const ScheduleRecord& task) {
    QString command = FixedText::rtrim(task.Command);
    if (command.startsWith(kStart, Qt::CaseInsensitive)) {
        command = command.mid(kStart.size());
    }
    // The first word, roughly: only where the dialog opens depends on it.
    QString first = command.section(u' ', 0, 0);
    if (command.startsWith(u'"')) {
        const qsizetype end = command.indexOf(u'"', 1);
        first = command.mid(1, end < 0 ? -1 : end - 1);
    }
    return first.contains(u'/') ? first : FixedText::rtrim(task.Path);
}

void applyWav(ScheduleRecord& task, const QString& chosen) {
    task.AlarmFile = FixedText::fit(chosen, ScheduleRecord::kAlarmFileWidth);
}

} // namespace velatask::ChosenFile
