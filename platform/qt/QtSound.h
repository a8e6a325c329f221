#pragma once

#include "platform/Sound.h"

#include <memory>

class QSoundEffect;

namespace velatask {

// WAV alarms through Qt Multimedia. A new sound replaces the one still playing, as one alarm
// channel does; playing never waits for the sound and works (silently) without an audio device.
class QtSound : public Sound {
public:
    QtSound();
    ~QtSound() override;

    // Checks the file's header synchronously, then starts it; false (and nothing played) for a
    // missing, unreadable or non-WAV file.
    bool play(const QString& wavFile) override;

    // The effect of the last successful play, for tests that watch it load; null before.
    const QSoundEffect* current() const { return m_effect.get(); }

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace velatask
