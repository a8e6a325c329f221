#include "platform/qt/ProcessStarter.h"

#include "platform/qt/CommandLine.h"
#include "platform/qt/DesktopEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velatask {

namespace {

StartResult failure(ProcessStarter::Error error, const QString& reason) {
    return StartResult{false, static_cast<std::uint32_t>(error), reason};
}

// A start-in folder that has gone (renamed, unmounted) must not cost the user the program: it
// starts where it would without one.
QString existingDirectory(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir() ? path : QString();
}

} // namespace

bool ProcessStarter::isProgram(const QString& path) const {
    return !resolveProgram(path, QString()).isEmpty();
}

QString ProcessStarter::resolveProgram(const QString& word, const QString& workingDirectory) {
    if (word.isEmpty()) {
        return {};
    }
    if (!word.contains(u'/')) {
        return QStandardPaths::findExecutable(word);
    }
    const QString base = workingDirectory.isEmpty() ? QDir::currentPath() : workingDirectory;
    const QFileInfo info(QDir(base), word);
    if (!info.isFile() || !info.isExecutable()) {
        return {};
    }
    return info.absoluteFilePath();
}

StartResult ProcessStarter::start(const QString& commandLine, const QString& startIn) {
    std::optional<QStringList> words = CommandLine::split(commandLine);
    if (!words) {
        return failure(BadCommandLine, QStringLiteral("Unbalanced quotes in the command line"));
    }
    if (words->isEmpty()) {
        return failure(BadCommandLine, QStringLiteral("The command line is empty"));
    }
    QString directory = existingDirectory(startIn);
    if (words->first().compare(QStringLiteral("START"), Qt::CaseInsensitive) == 0) {
        if (words->size() < 2) {
            return failure(BadCommandLine, QStringLiteral("START names nothing to open"));
        }
        // The rest is one name, so START My Notes.txt opens the file with the blank in its name.
        const QString target = words->mid(1).join(u' ');
        const QString base = directory.isEmpty() ? QDir::currentPath() : directory;
        const QFileInfo file(QDir(base), target);
        if (DesktopEntry::isDesktopFile(target) && file.isFile()) {
            // A launcher is started, where an opener would show it in an editor.
            const std::optional<DesktopEntry> entry = DesktopEntry::read(file.absoluteFilePath());
            if (!entry) {
                return failure(BadCommandLine,
                               QStringLiteral("Not a usable desktop entry: %1").arg(target));
            }
            if (!entry->url.isEmpty()) {
                *words = QStringList{QStringLiteral("xdg-open"), entry->url};
            } else {
                *words = entry->command;
                if (entry->terminal) {
                    words->prepend(QStringLiteral("-e"));
                    words->prepend(QStringLiteral("x-terminal-emulator"));
                }
                if (const QString path = existingDirectory(entry->workingDirectory);
                    !path.isEmpty()) {
                    directory = path;
                }
            }
        } else {
            *words = QStringList{QStringLiteral("xdg-open"), target};
        }
    }
    const QString& first = words->first();
    const QString program = resolveProgram(first, directory);
    if (program.isEmpty()) {
        const QString base = directory.isEmpty() ? QDir::currentPath() : directory;
        if (first.contains(u'/') && QFileInfo(QDir(base), first).exists()) {
            return failure(NotExecutable,
                           QStringLiteral("Not an executable program: %1").arg(first));
        }
        return failure(NotFound, QStringLiteral("Program not found: %1").arg(first));
    }
    const qint64 pid = m_spawner.start(program, words->mid(1), directory);
    if (pid <= 0) {
        return failure(StartRefused,
                       QStringLiteral("The program could not be started: %1").arg(first));
    }
    return StartResult{true, static_cast<std::uint32_t>(pid), QString()};
}

} // namespace velatask
