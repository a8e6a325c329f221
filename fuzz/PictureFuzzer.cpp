// Reads text through pictures: the first line of the input is the picture token, the rest the
// text typed into a field. A date or time that reads back shows as a text that reads back to
// the same value as shown (typed seconds are not shown, so the shown text is compared).
#include "core/Picture.h"

#include <QString>

#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>

using namespace velatask;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype newline = input.indexOf(QLatin1Char('\n'));
    const QString token = newline < 0 ? input : input.left(newline);
    const QString text = newline < 0 ? QString() : input.mid(newline + 1);

    const Picture picture(token);
    if (picture.isValid()) {
        if (const auto value = picture.read(text)) {
            (void)picture.format(*value);
        }
        if (const auto value = picture.readDecimal(text)) {
            (void)picture.formatDecimal(*value);
        }
        (void)picture.formatText(picture.readText(text));
    }
    if (const auto date = Picture::readDate(text)) {
        const QString shown = Picture::formatDate(*date);
        const auto again = Picture::readDate(shown);
        check(again && Picture::formatDate(*again) == shown);
    }
    if (const auto time = Picture::readTime(text)) {
        const QString shown = Picture::formatTime(*time);
        const auto again = Picture::readTime(shown);
        check(again && Picture::formatTime(*again) == shown);
    }
    if (size >= 4) {
        std::int32_t raw = 0;
        for (int i = 0; i < 4; ++i) {
            raw = static_cast<std::int32_t>((static_cast<std::uint32_t>(raw) << 8) | data[i]);
        }
        (void)Picture::formatDate(raw);
        (void)Picture::formatTime(raw);
    }
    return 0;
}
