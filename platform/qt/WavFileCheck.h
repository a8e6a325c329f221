#pragma once

#include <QString>

class QIODevice;

namespace velatask {

// Decides before playing whether a file is a WAV file that the sound player can decode: a RIFF
// "WAVE" file with a PCM or floating-point "fmt " chunk and a "data" chunk.
namespace WavFileCheck {

bool isPlayable(const QString& path);
bool isPlayable(QIODevice& device);

} // namespace WavFileCheck

} // namespace velatask
