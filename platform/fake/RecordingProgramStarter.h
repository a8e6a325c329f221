#pragma once

#include "platform/ProgramStarter.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace velatask {

// A program starter for tests: records each start and answers with a settable result.
class RecordingProgramStarter : public ProgramStarter {
public:
    struct Start {
        QString commandLine;
        QString workingDirectory;
    };

    StartResult start(const QString& commandLine, const QString& workingDirectory) override {
        m_starts.push_back({commandLine, workingDirectory});
        return m_result;
    }
    // Only the files marked as programs are programs.
    bool isProgram(const QString& path) const override { return m_programs.contains(path); }
    void setResult(StartResult result) { m_result = std::move(result); }
    void markProgram(const QString& path) { m_programs << path; }
    const std::vector<Start>& starts() const { return m_starts; }

private:
    std::vector<Start> m_starts;
    QStringList m_programs;
    StartResult m_result{true, 4242, QString()};
};

} // namespace velatask
