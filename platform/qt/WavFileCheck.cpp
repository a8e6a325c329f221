#include "platform/qt/WavFileCheck.h"

#include <QFile>
#include <QIODevice>
#include <QtEndian>

#include <cstdint>

namespace velatask::WavFileCheck {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

bool fmtChunkPlayable(const QByteArray& chunk) {
    if (chunk.size() < 16) {
        return false;
    }
    const auto* p = reinterpret_cast<const uchar*>(chunk.constData());
    const std::uint16_t format = qFromLittleEndian<std::uint16_t>(p);
    const std::uint16_t channels = qFromLittleEndian<std::uint16_t>(p + 2);
    const std::uint32_t rate = qFromLittleEndian<std::uint32_t>(p + 4);
    const std::uint16_t bits = qFromLittleEndian<std::uint16_t>(p + 14);
    const bool knownFormat =
        format == kFormatPcm || format == kFormatFloat || format == kFormatExtensible;
    const bool knownWidth = bits == 8 || bits == 16 || bits == 24 || bits == 32;
    return knownFormat && knownWidth && channels > 0 && rate > 0;
}

} // namespace

bool isPlayable(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return isPlayable(file);
}

bool isPlayable(QIODevice& device) {
    const QByteArray header = device.read(12);
    if (header.size() != 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE") {
        return false;
    }
    bool formatOk = false;
    // Chunks follow one another, each padded to an even length.
    while (true) {
        const QByteArray chunkHeader = device.read(8);
        if (chunkHeader.size() != 8) {
            return false;
        }
        const QByteArray id = chunkHeader.left(4);
        const std::uint32_t size = qFromLittleEndian<std::uint32_t>(
            reinterpret_cast<const uchar*>(chunkHeader.constData()) + 4);
        if (id == "data") {
            return formatOk && size > 0;
        }
        if (id == "fmt ") {
            if (size > 1024) {
                return false;
            }
            const QByteArray chunk = device.read(size);
            if (chunk.size() != static_cast<qsizetype>(size) || !fmtChunkPlayable(chunk)) {
                return false;
            }
            formatOk = true;
            if (size % 2 != 0 && device.read(1).size() != 1) {
                return false;
            }
            continue;
        }
        const qint64 skip = static_cast<qint64>(size) + (size % 2);
        if (device.isSequential() || !device.seek(device.pos() + skip) ||
            device.pos() > device.size()) {
            return false;
        }
    }
}

} // namespace velatask::WavFileCheck
