#pragma once

#include "platform/ProgramStarter.h"
#include "platform/qt/DetachedSpawner.h"

#include <QString>

namespace velatask {

// Starts a task's command line as a detached process. The line is split into words as a shell
// would (see CommandLine), but no shell runs. "START x" hands x to xdg-open, the desktop's opener
// for documents and links; "START x.desktop" runs the launcher's own command (in its Path, when it
// names one) instead of opening the file in an editor. The start-in directory becomes the child's
// working directory only; this program's own directory never changes. A start-in directory (or
// launcher Path) that does not exist is treated as none given: the program starts in this
// program's own directory.
//
// Failures carry a small error number and a readable reason; nothing is shown and nothing waits,
// so a bad command never holds up the scheduler:
//   2  program not found      5  program not executable
//   8  the system refused to start the process
//   11 empty command line or unbalanced quotes
class ProcessStarter : public ProgramStarter {
public:
    enum Error { NotFound = 2, NotExecutable = 5, StartRefused = 8, BadCommandLine = 11 };

    StartResult start(const QString& commandLine, const QString& workingDirectory) override;
    bool isProgram(const QString& path) const override;

    // The executable a command's first word names: a word with a slash is a path (relative ones
    // from `workingDirectory`), any other word is looked up on PATH. Empty when there is none.
    // Callers that ask "is this a program?" use it too.
    static QString resolveProgram(const QString& word, const QString& workingDirectory);

private:
    DetachedSpawner m_spawner;
};

} // namespace velatask
