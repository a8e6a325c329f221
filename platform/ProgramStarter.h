#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// Outcome of starting a program. `value` is what travels with queued script steps: the process
// id after a successful start, otherwise a small error number (below 32).
struct StartResult {
    bool started = false;
    std::uint32_t value = 0;
    QString reason; // readable reason when the start failed
};

// Starts command lines as the scheduler's tasks give them.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts `commandLine` detached with `workingDirectory` as its current directory (empty: the
    // program's own current directory). "START x" opens x with the desktop's default handler.
    virtual StartResult start(const QString& commandLine, const QString& workingDirectory) = 0;
    // Whether a file is a program that start() runs by itself, rather than a document that needs
    // "START " in front of it.
    virtual bool isProgram(const QString& path) const = 0;
};

} // namespace velatask
