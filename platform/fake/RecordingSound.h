#pragma once

#include "platform/Sound.h"

#include <QStringList>

#include <functional>

namespace velatask {

// A sound for tests: records the files it was asked to play; files can be marked unplayable.
class RecordingSound : public Sound {
public:
    bool play(const QString& wavFile) override {
        m_played << wavFile;
        if (m_listener) {
            m_listener(wavFile);
        }
        return !m_unplayable.contains(wavFile);
    }
    void setUnplayable(const QString& wavFile) { m_unplayable << wavFile; }
    void setListener(std::function<void(const QString&)> listener) {
        m_listener = std::move(listener);
    }
    const QStringList& played() const { return m_played; }

private:
    QStringList m_played;
    QStringList m_unplayable;
    std::function<void(const QString&)> m_listener;
};

} // namespace velatask
