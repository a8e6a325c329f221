#include "core/Time.h"

namespace velatask::Time {

std::int32_t fromHms(int h, int m, int s, int hs) {
    return h * kHour + m * kMinute + s * kSecond + hs + 1;
}

std::int32_t fromClockReading(int h, int m, int s, int hs) {
    const std::int32_t t = fromHms(h, m, s, hs);
    return t == 1 ? 0 : t;
}

int hours(std::int32_t time) {
    return time <= 0 ? 0 : (time - 1) / kHour;
}

int minutes(std::int32_t time) {
    return time <= 0 ? 0 : ((time - 1) % kHour) / kMinute;
}

int seconds(std::int32_t time) {
    return time <= 0 ? 0 : ((time - 1) % kMinute) / kSecond;
}

void normalise(std::int32_t& date, std::int32_t& time) {
    if (time > kDay) {
        const std::int32_t days = (time - 1) / kDay;
        time -= days * kDay;
        date += days;
    }
}

} // namespace velatask::Time
