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

QString programOf(const QString& command) {
    QString rest = FixedText::rtrim(command).trimmed();
    if (rest.startsWith(kStart, Qt::CaseInsensitive)) {
        rest = rest.mid(kStart.size()).trimmed();
    }
    // The first word, roughly: no more than the two rules and the dialog's folder depend on it.
    if (rest.startsWith(u'"')) {
        const qsizetype end = rest.indexOf(u'"', 1);
        return rest.mid(1, end < 0 ? -1 : end - 1);
    }
    return rest.section(u' ', 0, 0);
}

void applyCommand(ScheduleRecord& task, const std::function<bool(const QString&)>& isProgram) {
    const QString command = FixedText::rtrim(task.Command).trimmed();
    if (command.isEmpty()) {
        return;
    }
    const QString program = programOf(command);
    if (FixedText::isBlank(task.Path)) {
        task.Path = FixedText::fit(directoryOf(program), ScheduleRecord::kPathWidth);
    }
    if (!command.startsWith(kStart, Qt::CaseInsensitive) && !isProgram(program)) {
        task.Command = FixedText::fit(kStart + command, ScheduleRecord::kCommandWidth);
    }
}

QString programStart(const ScheduleRecord& task) {
    const QString first = programOf(task.Command);
    return first.contains(u'/') ? first : FixedText::rtrim(task.Path);
}

void applyWav(ScheduleRecord& task, const QString& chosen) {
    task.AlarmFile = FixedText::fit(chosen, ScheduleRecord::kAlarmFileWidth);
}

} // namespace velatask::ChosenFile
