#pragma once

#include "scripting/KeyPlayer.h"

#include <QStringList>

namespace velatask {

// A key player for tests: logs "text:<text>" and "key:0x<code>" lines, optionally into a log
// shared with other recorders, and can be told to refuse.
class RecordingKeyPlayer : public KeyPlayer {
public:
    explicit RecordingKeyPlayer(QStringList* log = nullptr) : m_log(log ? log : &m_ownLog) {}

    bool TypeText(const QString& text) override {
        m_log->append(QStringLiteral("text:") + text);
        return !m_refuse;
    }
    bool PressKey(std::uint16_t code) override {
        m_log->append(QStringLiteral("key:0x") +
                      QString::number(code, 16).toUpper().rightJustified(3, QLatin1Char('0')));
        return !m_refuse;
    }

    void setRefuse(bool refuse) { m_refuse = refuse; }
    const QStringList& log() const { return *m_log; }

private:
    QStringList m_ownLog;
    QStringList* m_log;
    bool m_refuse = false;
};

} // namespace velatask
