#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace velatask {

struct ScheduleRecord;

// What choosing a file in the program and WAV dialogs does to the task. Names longer than their
// field are cut to it.
namespace ChosenFile {

// The dialog filters; kProgramsFilter shows only files that may be executed.
inline const QString kAllFilesFilter = QStringLiteral("All Files (*)");
inline const QString kProgramsFilter = QStringLiteral("Programs and scripts (*)");
inline const QString kDesktopFilter = QStringLiteral("Desktop entries (*.desktop)");
inline const QString kWavFilter = QStringLiteral("WAV Files (*.wav *.WAV)");
QStringList programFilters();
QStringList wavFilters();

// The directory part of a path: everything before its last "/" ("/" itself for a file at the
// root); empty when the path has no "/".
QString directoryOf(const QString& path);

// A path as one word of a command line: quoted when blanks, quotes or backslashes would split
// or change it.
QString quotedWord(const QString& path);

// The program dialog chose `chosen`: a blank start-in directory becomes the file's directory,
// and the command becomes the file itself when it is a program, or "START " and the file when it
// is a document (or a desktop entry) that the desktop opens.
void applyProgram(ScheduleRecord& task, const QString& chosen, bool isProgram);

// "&Browse" of the program wizard, chosen or not, ends with the same two rules on the command
// as it stands: a blank start-in directory becomes its program's directory, and a command whose
// first word is not a program gets "START " in front (unless it already starts so). A blank
// command stays blank.
void applyCommand(ScheduleRecord& task, const std::function<bool(const QString&)>& isProgram);

// The program a command line names: its first word (quoted or not), after any "START ".
QString programOf(const QString& command);

// Where the program dialog opens: the file the command names, else the start-in directory.
QString programStart(const ScheduleRecord& task);

// The WAV dialog chose `chosen`.
void applyWav(ScheduleRecord& task, const QString& chosen);

} // namespace ChosenFile

} // namespace velatask
