#pragma once

#include "platform/ProgramStarter.h"

#include <QString>

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
    void setResult(StartResult result) { m_result = std::move(result); }
    const std::vector<Start>& starts() const { return m_starts; }

private:
    std::vector<Start> m_starts;
    StartResult m_result{true, 4242, QString()};
};

} // namespace velatask
