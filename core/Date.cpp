#include "core/Date.h"

#include <cstdint>

namespace velatask::Date {
namespace {

constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Floor division, so that dates before the epoch still map to the right year.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Day number of 1 January of a year, extended beyond 1801..2099 with the same rule.
std::int64_t startOfYear(std::int64_t year) {
    std::int64_t n = floorDiv((year - 1801) * 1461, 4) + 1 + 3;
    if (year > 1900) {
        --n;
    }
    return n;
}

// Day numbers far outside the supported years saturate instead of wrapping around.
std::int32_t clamp(std::int64_t n) {
    if (n > INT32_MAX) {
        return INT32_MAX;
    }
    if (n < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(n);
}

} // namespace

bool isLeapYear(int year) {
    return year % 4 == 0 && year != 1900;
}

int monthLength(int month, int year) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return kLengths[month - 1] + ((month == 2 && isLeapYear(year)) ? 1 : 0);
}

bool isValid(int year, int month, int day) {
    return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= monthLength(month, year);
}

std::int32_t fromYmd(int year, int month, int day) {
    if (!isValid(year, month, day)) {
        return kNone;
    }
    std::int64_t n = startOfYear(year) + kDaysBefore[month - 1] + day - 1;
    if (month > 2 && isLeapYear(year)) {
        ++n;
    }
    return static_cast<std::int32_t>(n);
}

std::int32_t make(int month, int day, int year) {
    // Bring the month into 1..12 first, then carry the day through the month lengths.
    std::int64_t y = year + floorDiv(month - 1, 12);
    int m = static_cast<int>(month - 1 - floorDiv(month - 1, 12) * 12) + 1;
    std::int64_t d = day;
    while (d > monthLength(m, static_cast<int>(y))) {
        d -= monthLength(m, static_cast<int>(y));
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    while (d < 1) {
        if (--m < 1) {
            m = 12;
            --y;
        }
        d += monthLength(m, static_cast<int>(y));
    }
    std::int64_t n = startOfYear(y) + kDaysBefore[m - 1] + d - 1;
    if (m > 2 && isLeapYear(static_cast<int>(y))) {
        ++n;
    }
    return clamp(n);
}

Ymd toYmd(std::int32_t date) {
    // Estimate the year from the mean year length, then correct by at most one either way.
    std::int64_t year = 1801 + floorDiv((static_cast<std::int64_t>(date) - 4) * 4, 1461);
    while (startOfYear(year) > date) {
        --year;
    }
    while (startOfYear(year + 1) <= date) {
        ++year;
    }
    int dayOfYear = static_cast<int>(date - startOfYear(year)); // 0-based
    const int y = static_cast<int>(year);
    int month = 1;
    while (month < 12 && dayOfYear >= monthLength(month, y)) {
        dayOfYear -= monthLength(month, y);
        ++month;
    }
    return Ymd{y, month, dayOfYear + 1};
}

int weekday(std::int32_t date) {
    int w = date % 7;
    return w < 0 ? w + 7 : w;
}

std::int32_t firstOfMonth(std::int32_t date) {
    const Ymd c = toYmd(date);
    return make(c.month, 1, c.year);
}

std::int32_t lastOfMonth(std::int32_t date) {
    const Ymd c = toYmd(date);
    return make(c.month + 1, 1, c.year) - 1;
}

} // namespace velatask::Date
