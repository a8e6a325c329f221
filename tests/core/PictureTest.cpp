#include "core/Date.h"
#include "core/Picture.h"
#include "core/Time.h"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

using namespace velatask;

TEST(Picture, DatesOnScreenAndInExports) {
    const std::int32_t d = Date::fromYmd(1999, 1, 5);
    EXPECT_EQ(Picture::formatDate(d), QStringLiteral("Jan 5, 1999"));
    EXPECT_EQ(Picture(u"@d3").format(Date::fromYmd(2026, 12, 25)), QStringLiteral("Dec 25, 2026"));
    EXPECT_EQ(Picture(u"@D6").format(d), QStringLiteral("5/01/1999"));
    EXPECT_EQ(Picture(u"@d6").format(Date::fromYmd(1999, 11, 30)), QStringLiteral("30/11/1999"));
    EXPECT_EQ(Picture::formatDate(0), QString());
}

TEST(Picture, TimesUseTwelveHourClock) {
    EXPECT_EQ(Picture::formatTime(Time::fromHms(9, 5)), QStringLiteral("9:05AM"));
    EXPECT_EQ(Picture::formatTime(Time::fromHms(0, 0)), QStringLiteral("12:00AM"));
    EXPECT_EQ(Picture::formatTime(Time::fromHms(12, 0)), QStringLiteral("12:00PM"));
    EXPECT_EQ(Picture::formatTime(Time::fromHms(23, 59, 59, 99)), QStringLiteral("11:59PM"));
    EXPECT_EQ(Picture::formatTime(0), QString());
}

TEST(Picture, ReadsWhatPeopleType) {
    const std::int32_t d = Date::fromYmd(1999, 1, 5);
    for (const char* text : {"Jan 5, 1999", "jan 05 1999", "January 5, 1999", " JAN 5,1999 ",
                             "5 Jan 1999", "1/5/1999", "1999-01-05"}) {
        EXPECT_EQ(Picture::readDate(QString::fromLatin1(text)), d) << text;
    }
    EXPECT_EQ(Picture(u"@D6").read(QStringLiteral("5/1/1999")), d);
    EXPECT_EQ(Picture(u"@D6").read(QStringLiteral("05.01.1999")), d);
    EXPECT_EQ(Picture::readDate(QStringLiteral("  ")), 0);

    for (const char* text : {"9:05AM", "9:05 am", "09:05", "9:05a", "9.05 A.M."}) {
        EXPECT_EQ(Picture::readTime(QString::fromLatin1(text)), Time::fromHms(9, 5)) << text;
    }
    EXPECT_EQ(Picture::readTime(QStringLiteral("21:05")), Time::fromHms(21, 5));
    EXPECT_EQ(Picture::readTime(QStringLiteral("9:05:30 PM")), Time::fromHms(21, 5, 30));
    EXPECT_EQ(Picture::readTime(QStringLiteral("12:00AM")), Time::fromHms(0, 0));
    EXPECT_EQ(Picture::readTime(QStringLiteral("12:30pm")), Time::fromHms(12, 30));
    EXPECT_EQ(Picture::readTime(QStringLiteral("7pm")), Time::fromHms(19, 0));
}

TEST(Picture, RejectsImpossibleDatesAndTimes) {
    for (const char* text : {"Feb 29, 1999", "Feb 30, 2000", "Apr 31, 2000", "Jan 5, 1800",
                             "Jan 1, 2100", "Foo 5, 1999", "Jan 0, 1999", "13/13/1999", "yesterday",
                             "Feb 29, 1900"}) {
        EXPECT_EQ(Picture::readDate(QString::fromLatin1(text)), std::nullopt) << text;
    }
    for (const char* text : {"13:00PM", "0:30AM", "24:00", "9:60", "9:05:61", "noon", "9:05XM"}) {
        EXPECT_EQ(Picture::readTime(QString::fromLatin1(text)), std::nullopt) << text;
    }
}

TEST(Picture, EveryDateAndEveryMinuteRoundTrips) {
    const Picture d3(u"@d3");
    const Picture d6(u"@D6");
    for (std::int32_t d = Date::fromYmd(1801, 1, 1); d <= Date::fromYmd(2099, 12, 31); ++d) {
        ASSERT_EQ(d3.read(d3.format(d)), d) << d3.format(d).toStdString();
        ASSERT_EQ(d6.read(d6.format(d)), d) << d6.format(d).toStdString();
    }
    for (int h = 0; h < 24; ++h) {
        for (int m = 0; m < 60; ++m) {
            const std::int32_t t = Time::fromHms(h, m);
            ASSERT_EQ(Picture::readTime(Picture::formatTime(t)), t);
        }
    }
}

namespace {

// Dates at the edges of the supported years and of leap days, and outside them (formatting
// still writes what the day number stands for), then random ones.
std::vector<std::int32_t> datesToTry(std::mt19937& random) {
    std::vector<std::int32_t> dates = {Date::fromYmd(1801, 1, 1),
                                       Date::fromYmd(1801, 12, 31),
                                       Date::fromYmd(1900, 2, 28),
                                       Date::fromYmd(1900, 3, 1),
                                       Date::fromYmd(2000, 2, 29),
                                       Date::fromYmd(2099, 12, 31),
                                       1,
                                       -1,
                                       Date::fromYmd(2099, 12, 31) + 1,
                                       -800000, // before year 0
                                       std::numeric_limits<std::int32_t>::max(),
                                       std::numeric_limits<std::int32_t>::min()};
    std::uniform_int_distribution<std::int32_t> any(Date::fromYmd(1801, 1, 1),
                                                    Date::fromYmd(2099, 12, 31));
    for (int i = 0; i < 1000; ++i) {
        dates.push_back(any(random));
    }
    return dates;
}

// What the general formatting writes, spelled out independently of it.
QString dateText(bool dayFirst, std::int32_t date) {
    const Ymd c = Date::toYmd(date);
    if (dayFirst) {
        return QStringLiteral("%1/%2/%3")
            .arg(c.day)
            .arg(c.month, 2, 10, QLatin1Char('0'))
            .arg(c.year, 4, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1 %2, %3")
        .arg(QLocale::c().monthName(c.month, QLocale::ShortFormat))
        .arg(c.day)
        .arg(c.year, 4, 10, QLatin1Char('0'));
}

// The same text with blanks around its separators: only the general reading takes it.
QString spaced(QString text) {
    for (const char* sep : {"/", ".", "-", ":", ","}) {
        text.replace(QLatin1String(sep), QStringLiteral(" %1 ").arg(QLatin1String(sep)));
    }
    // "Jan 5" -> "Jan  5", and "9:05AM" -> "9 : 05 AM"
    text.replace(QRegularExpression(QStringLiteral("^([A-Za-z]+) ")), QStringLiteral("\\1  "));
    text.replace(QRegularExpression(QStringLiteral("(\\d)([AaPp])")), QStringLiteral("\\1 \\2"));
    return text;
}

} // namespace

// The usual texts of dates and times (what formatting writes) are written and read on a fast
// path of their own; it must give what the general path gives, valid or not.
TEST(Picture, UsualFormsAgreeWithTheGeneralPath) {
    std::mt19937 random(20261208);
    const std::vector<std::int32_t> dates = datesToTry(random);
    const struct {
        const char16_t* token;
        bool dayFirst;
    } pictures[] = {{u"@d3", false}, {u"@D6", true}, {u"@d6", true}};
    for (const auto& [token, dayFirst] : pictures) {
        const Picture p(token);
        for (const std::int32_t d : dates) {
            const QString text = p.format(d);
            ASSERT_EQ(text, dateText(dayFirst, d)) << d;
            QString line = QStringLiteral("x,");
            p.appendFormatted(d, line);
            ASSERT_EQ(line, QStringLiteral("x,") + text);
            const bool supported = Date::isValid(Date::toYmd(d).year, 1, 1);
            ASSERT_EQ(p.read(text), supported ? std::optional<std::int64_t>(d) : std::nullopt)
                << text.toStdString();
            ASSERT_EQ(p.read(spaced(text)), p.read(text)) << spaced(text).toStdString();
        }
        // Day, month and year as people type them, impossible ones among them: both paths
        // accept and refuse the same.
        std::uniform_int_distribution<int> day(0, 32);
        std::uniform_int_distribution<int> month(0, 13);
        std::uniform_int_distribution<int> year(1798, 2102);
        for (int i = 0; i < 600; ++i) {
            const int y = year(random);
            const int m = month(random);
            const int dd = day(random);
            QStringList texts = {
                QStringLiteral("%1/%2/%3").arg(dd).arg(m).arg(y),
                QStringLiteral("%1.%2.%3").arg(m).arg(dd, 2, 10, QLatin1Char('0')).arg(y),
                QStringLiteral("%1-%2-%3").arg(dd).arg(m).arg(y)};
            if (m >= 1 && m <= 12) {
                const QString name = QLocale::c().monthName(m, QLocale::ShortFormat);
                texts << QStringLiteral("%1 %2, %3").arg(name).arg(dd).arg(y)
                      << QStringLiteral("%1 %2, %3").arg(name.toUpper()).arg(dd).arg(y);
            }
            for (const QString& text : texts) {
                ASSERT_EQ(p.read(text), p.read(spaced(text))) << text.toStdString();
            }
        }
    }

    const Picture t3(u"@t3");
    // Every minute, with seconds and hundredths that the picture does not show.
    for (std::int32_t t = Time::fromHms(0, 0); t <= Time::kDay; t += 2999) {
        const int h = Time::hours(t);
        const QString text = QStringLiteral("%1:%2%3")
                                 .arg(h % 12 == 0 ? 12 : h % 12)
                                 .arg(Time::minutes(t), 2, 10, QLatin1Char('0'))
                                 .arg(h < 12 ? QLatin1String("AM") : QLatin1String("PM"));
        ASSERT_EQ(t3.format(t), text) << t;
        const std::int32_t minute = Time::fromHms(h, Time::minutes(t));
        for (const QString& usual :
             {text, text.toLower(),
              QStringLiteral("%1:%2").arg(h).arg(Time::minutes(t), 2, 10, QLatin1Char('0'))}) {
            ASSERT_EQ(t3.read(usual), minute) << usual.toStdString();
            ASSERT_EQ(t3.read(spaced(usual)), minute) << spaced(usual).toStdString();
        }
    }
    // Hours and minutes out of range, with and without a half of the day.
    for (int h = 0; h <= 25; ++h) {
        for (int m = 0; m <= 61; ++m) {
            for (const char* half : {"", "AM", "pm", "Pm"}) {
                const QString text = QStringLiteral("%1:%2%3")
                                         .arg(h)
                                         .arg(m, 2, 10, QLatin1Char('0'))
                                         .arg(QLatin1String(half));
                ASSERT_EQ(t3.read(text), t3.read(spaced(text))) << text.toStdString();
            }
        }
    }
}

TEST(Picture, Numbers) {
    EXPECT_EQ(Picture(u"@n2").format(7), QStringLiteral("7"));
    EXPECT_EQ(Picture(u"@n2").format(123), QStringLiteral("##"));
    EXPECT_EQ(Picture(u"@N3").format(100), QStringLiteral("100"));
    EXPECT_EQ(Picture(u"@n5").format(-3), QStringLiteral("#####"));
    EXPECT_EQ(Picture(u"@n-13").format(-42), QStringLiteral("-42"));
    EXPECT_EQ(Picture(u"@n04").format(1999), QStringLiteral("1999"));
    EXPECT_EQ(Picture(u"@n04").format(42), QStringLiteral("0042"));
    EXPECT_EQ(Picture(u"@n6").format(999999), QStringLiteral("999999"));

    EXPECT_EQ(Picture(u"@n6").read(QStringLiteral(" 90 ")), 90);
    EXPECT_EQ(Picture(u"@n2").read(QStringLiteral("100")), std::nullopt);
    EXPECT_EQ(Picture(u"@n2").read(QStringLiteral("-1")), std::nullopt);
    EXPECT_EQ(Picture(u"@n-13").read(QStringLiteral("-30")), -30);
    EXPECT_EQ(Picture(u"@n04").read(QStringLiteral("0042")), 42);
    EXPECT_EQ(Picture(u"@n5").read(QStringLiteral("12a")), std::nullopt);
    EXPECT_EQ(Picture(u"@n5").read(QString()), 0);
}

TEST(Picture, TextsAndDecimals) {
    EXPECT_EQ(Picture(u"@s20").formatText(QStringLiteral("A description that is too long")),
              QStringLiteral("A description that i"));
    EXPECT_EQ(Picture(u"@S1000").width(), 1000);
    EXPECT_EQ(Picture(u"@s40").readText(QString(50, QLatin1Char('x'))).size(), 40);
    EXPECT_EQ(Picture(u"@N30.9").formatDecimal(3.25), QStringLiteral("3.250000000"));
    EXPECT_EQ(Picture(u"@N30.9").readDecimal(QStringLiteral("2.5")), 2.5);
    EXPECT_EQ(Picture(u"@N30.9").readDecimal(QStringLiteral("x")), std::nullopt);
    EXPECT_EQ(Picture(u"@N30.9").read(QStringLiteral("1e44")), std::nullopt) << "no whole number";
    EXPECT_FALSE(Picture(u"@q9").isValid());
    EXPECT_FALSE(Picture(u"@d4").isValid());
    // Widths that would make formatting allocate without bound are refused.
    EXPECT_TRUE(Picture(u"@s4000").isValid());
    for (const char16_t* token : {u"@s4001", u"@n0600000000", u"@N30.999999999", u"@N3.4001"}) {
        EXPECT_FALSE(Picture(token).isValid()) << QString::fromUtf16(token).toStdString();
    }
}
