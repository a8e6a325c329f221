#include "platform/qt/QtSound.h"

#include "platform/qt/WavFileCheck.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace velatask {

QtSound::QtSound() = default;

QtSound::~QtSound() = default;

bool QtSound::play(const QString& wavFile) {
    if (!WavFileCheck::isPlayable(wavFile)) {
        return false;
    }
    if (m_effect) {
        m_effect->stop();
    }
    // A fresh effect per sound: changing the source of a loading effect can keep the old one.
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(QFileInfo(wavFile).absoluteFilePath()));
    m_effect->play();
    return true;
}

} // namespace velatask
