#pragma once

#include <cstdint>

namespace velatask {

// Calendar components of a day number.
struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Ymd&) const = default;
};

// Day numbers: day 4 is 1 January 1801, 0 means "no date". Supported years are 1801 to 2099,
// where every year divisible by 4 is a leap year except 1900.
namespace Date {

constexpr std::int32_t kNone = 0;
constexpr int kFirstYear = 1801;
constexpr int kLastYear = 2099;

bool isLeapYear(int year);
int monthLength(int month, int year);
bool isValid(int year, int month, int day);

// Day number of a valid calendar date (year 1801..2099); 0 when the date is not valid.
std::int32_t fromYmd(int year, int month, int day);

// The carrying constructor date(month, day, year): a month above 12 rolls into the following
// years and a day beyond its month's length into the following months, so make(2, 31, 1999)
// is 3 March 1999. A day of 0 or below counts back into the preceding months.
std::int32_t make(int month, int day, int year);

// Calendar components of a day number; also defined for numbers outside 1801..2099.
Ymd toYmd(std::int32_t date);

// 0 Sunday .. 6 Saturday, also for negative numbers.
int weekday(std::int32_t date);

std::int32_t firstOfMonth(std::int32_t date);
std::int32_t lastOfMonth(std::int32_t date);

} // namespace Date
} // namespace velatask
