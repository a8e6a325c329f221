#include "core/Date.h"
#include "core/Picture.h"
#include "core/Time.h"

#include <gtest/gtest.h>

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
