#include "platform/fake/RecordingDdeClient.h"

namespace velatask {

int RecordingDdeClient::DdeOpen(const QString& service, const QString& topic) {
    m_calls.append(QStringLiteral("open %1|%2").arg(service, topic));
    return m_services.value(service, 0);
}

void RecordingDdeClient::DdeExecute(int channel, const QString& command) {
    m_calls.append(QStringLiteral("execute %1|%2").arg(channel).arg(command));
}

void RecordingDdeClient::DdeClose(int channel) {
    m_calls.append(QStringLiteral("close %1").arg(channel));
}

} // namespace velatask
