#pragma once

#include <QString>

namespace velatask {

// WAV alarms.
class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing the file without waiting for it; false when the file is missing or not a
    // playable WAV file.
    virtual bool play(const QString& wavFile) = 0;
};

} // namespace velatask
