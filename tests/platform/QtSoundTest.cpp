#include "PlatformTestSupport.h"

#include "platform/qt/QtSound.h"
#include "platform/qt/WavFileCheck.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>

namespace velatask {
namespace {

void appendLe(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

struct WavShape {
    std::uint16_t format = 1;
    std::uint16_t bits = 16;
    bool withData = true;
    QByteArray extraChunkBeforeFmt;
};

// A tenth of a second of a 440 Hz tone, mono, 8 kHz.
QByteArray makeWav(const WavShape& shape = {}) {
    const std::uint32_t rate = 8000;
    QByteArray samples;
    for (int i = 0; i < 800; ++i) {
        const auto value = static_cast<std::int16_t>(8000 * std::sin(i * 2 * M_PI * 440 / rate));
        appendLe(samples, static_cast<std::uint16_t>(value), 2);
    }
    QByteArray body("WAVE");
    body += shape.extraChunkBeforeFmt;
    body += "fmt ";
    appendLe(body, 16, 4);
    appendLe(body, shape.format, 2);
    appendLe(body, 1, 2);
    appendLe(body, rate, 4);
    appendLe(body, rate * shape.bits / 8, 4);
    appendLe(body, shape.bits / 8, 2);
    appendLe(body, shape.bits, 2);
    if (shape.withData) {
        body += "data";
        appendLe(body, static_cast<std::uint32_t>(samples.size()), 4);
        body += samples;
    }
    QByteArray file("RIFF");
    appendLe(file, static_cast<std::uint32_t>(body.size()), 4);
    return file + body;
}

bool playable(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return WavFileCheck::isPlayable(buffer);
}

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(WavFileCheckTest, AcceptsPcmWaveFiles) {
    EXPECT_TRUE(playable(makeWav()));
    EXPECT_TRUE(playable(makeWav({1, 8, true, {}})));
    QByteArray list("LIST");
    appendLe(list, 3, 4);
    list += QByteArray("abc\0", 4); // odd size, padded
    EXPECT_TRUE(playable(makeWav({1, 16, true, list})));
}

TEST(WavFileCheckTest, RejectsWhatCannotBePlayed) {
    EXPECT_FALSE(playable(QByteArray()));
    EXPECT_FALSE(playable("just some text, not a sound at all"));
    EXPECT_FALSE(playable(makeWav({0x55, 16, true, {}}))); // compressed
    EXPECT_FALSE(playable(makeWav({1, 12, true, {}})));
    EXPECT_FALSE(playable(makeWav({1, 16, false, {}}))); // no samples
    EXPECT_FALSE(playable(makeWav().left(30)));          // cut short
    QByteArray riffOther = makeWav();
    riffOther.replace(8, 4, "AVI ");
    EXPECT_FALSE(playable(riffOther));
}

TEST(QtSoundTest, PlayChecksTheFileFirst) {
    QTemporaryDir dir;
    QtSound sound;
    EXPECT_FALSE(sound.play(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_FALSE(sound.play(QString()));
    EXPECT_FALSE(sound.play(writeFile(dir, "text.wav", "not a wave file")));
    EXPECT_FALSE(sound.play(dir.path()));
    EXPECT_EQ(sound.current(), nullptr);
}

TEST(QtSoundTest, PlayStartsWithoutWaitingAndSurvivesWithoutAudio) {
    QTemporaryDir dir;
    const QString first = writeFile(dir, "first.wav", makeWav());
    const QString second = writeFile(dir, "second.wav", makeWav());
    QtSound sound;
    ASSERT_TRUE(sound.play(first));
    ASSERT_NE(sound.current(), nullptr);
    EXPECT_EQ(sound.current()->source().toLocalFile(), first);
    // Whether or not an audio device exists, loading ends without harm.
    EXPECT_TRUE(test::waitUntil([&] {
        const auto status = sound.current()->status();
        return status == QSoundEffect::Ready || status == QSoundEffect::Error;
    }));
    // A new alarm replaces the one playing.
    ASSERT_TRUE(sound.play(second));
    EXPECT_EQ(sound.current()->source().toLocalFile(), second);
    EXPECT_TRUE(test::waitUntil([&] {
        return sound.current()->status() != QSoundEffect::Loading &&
               sound.current()->status() != QSoundEffect::Null;
    }));
}

} // namespace
} // namespace velatask
