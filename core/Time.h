#pragma once

#include <cstdint>

namespace velatask {

// Times of day: hundredths of a second since midnight plus 1, so 360001 is 01:00 and 8640000
// is 23:59:59.99; 0 means "no time".
namespace Time {

constexpr std::int32_t kNone = 0;
constexpr std::int32_t kSecond = 100;
constexpr std::int32_t kMinute = 6000;
constexpr std::int32_t kHour = 360000;
constexpr std::int32_t kDay = 8640000;

// Time value of a clock reading; hours 0..23, minutes and seconds 0..59, hundredths 0..99.
std::int32_t fromHms(int hours, int minutes, int seconds = 0, int hundredths = 0);

// Value the clock reports for a moment of the day (exactly midnight reads as 0).
std::int32_t fromClockReading(int hours, int minutes, int seconds, int hundredths);

int hours(std::int32_t time);
int minutes(std::int32_t time);
int seconds(std::int32_t time);

// Whenever a time exceeds one day, a day is taken off it and the date raised by one, as often as
// needed; a time of exactly kDay stays.
void normalise(std::int32_t& date, std::int32_t& time);

} // namespace Time
} // namespace velatask
