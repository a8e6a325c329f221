// The match tests of each field kind, in memory and as the store's filter on a stored record.
#include "QbeFixture.h"

#include "core/Date.h"
#include "qbe/CriteriaFilter.h"
#include "qbe/MatchTest.h"
#include "store/WindowCursor.h"

namespace velatask {
namespace {

struct Case {
    MatchType type;
    QVariant example;
    QVariant upper;
    QVariant value; // the field's value in the record
    bool matches;
};

using T = MatchType;

class MatchTestTest : public QbeFixture {
protected:
    // Each case against its own record: the in-memory test and the store agree with it.
    void check(const QString& field, FieldKind kind, const std::vector<Case>& cases) {
        std::vector<std::int32_t> ids;
        for (const Case& c : cases) {
            ScheduleRecord r = task(std::int32_t(ids.size()) + 1, "", "x", 0, 0);
            setField(r, field, c.value);
            ASSERT_EQ(addTask(store().SCH, r), 0);
            ids.push_back(r.ID);
        }
        for (size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            const Criterion criterion{field, kind, c.type, c.example, c.upper};
            SCOPED_TRACE(QStringLiteral("%1 %2 %3..%4 on %5")
                             .arg(MatchTypes::dialogText(c.type), c.example.toString(),
                                  c.upper.toString(), c.value.toString())
                             .toStdString());
            EXPECT_EQ(MatchTest::matches(criterion, c.value), c.matches);
            WindowCursor cursor(store(), ScheduleKey::KeyID);
            ASSERT_EQ(cursor.setFilter(CriteriaFilter::of(criterion) &&
                                       Filter::compare("ID", Filter::Op::Equal, ids[i])),
                      0);
            std::int64_t n = -1;
            ASSERT_EQ(cursor.count(n), 0);
            EXPECT_EQ(n == 1, c.matches);
        }
    }
};

const qlonglong march5 = Date::fromYmd(1999, 3, 5);

TEST_F(MatchTestTest, StringFieldsCompareInCapitalsPassingOverLeadingBlanksWhereTheyShould) {
    check("Description", FieldKind::String,
          {
              {T::Equals, "work", {}, "  WORK", true},
              {T::Equals, "work", {}, "WORKS", false},
              {T::NotEquals, "work", {}, " Work", false},
              {T::NotEquals, "work", {}, "Home", true},
              {T::MoreThan, "b", {}, "C", true},
              {T::MoreThan, "b", {}, "B", false},
              {T::MoreThan, "b", {}, " c", false}, // a blank sorts before letters
              {T::LessThan, "b", {}, "a", true},
              {T::MoreOrEqual, "b", {}, "B", true},
              {T::LessOrEqual, "b", {}, "Ba", false},
              {T::InsideRange, "b", "d", "B", true},
              {T::InsideRange, "b", "d", "d", true},
              {T::InsideRange, "b", "d", "  c", true},
              {T::InsideRange, "b", "d", "da", false},
              {T::OutsideRange, "b", "d", "b", false},
              {T::OutsideRange, "b", "d", "D", false},
              {T::OutsideRange, "b", "d", "a", true},
              {T::OutsideRange, "b", "d", "e", true},
              {T::InsideRange, "", "m", "Kite", true}, // a range with only an upper limit
              {T::BeginsWith, "rep", {}, "  Report", true},
              {T::BeginsWith, "rep  ", {}, "Report", true},
              {T::BeginsWith, "port", {}, "Report", false},
              {T::EndsWith, "ORT", {}, "report", true},
              {T::EndsWith, "rep", {}, "report", false},
              {T::Contains, "port", {}, "MONTHLY REPORTS", true},
              {T::Contains, "strasse", {}, "Hauptstraße", true},
              {T::Contains, "xyz", {}, "Backup", false},
              {T::NotContains, "port", {}, "Reports", false},
              {T::NotContains, "port", {}, "Backup", true},
              {T::Ignore, "zzz", {}, "Backup", true},
              {T::Equals, "   ", {}, "Backup", true},    // a blank example takes no part
              {T::MonthOfYear, "x", {}, "Backup", true}, // not a type of this kind
          });
}

TEST_F(MatchTestTest, MemoFieldsFindTextAnywhereInTheMessage) {
    check("Message", FieldKind::Text,
          {
              {T::Equals, "call home", {}, "Call Home", true},
              {T::NotEquals, "call home", {}, "Call Home", false},
              {T::BeginsWith, "call", {}, "  Call the office\nat noon", true},
              {T::EndsWith, "noon", {}, "Call the office\nat NOON", true},
              {T::Contains, "office", {}, "Call the OFFICE\nat noon", true},
              {T::NotContains, "office", {}, "Call home", true},
              {T::MoreThan, "a", {}, "b", true}, // not a type of this kind: no part
          });
}

TEST_F(MatchTestTest, NumbersCompareAsNumbersWithRangeLimitsIncluded) {
    check("Every", FieldKind::Number,
          {
              {T::Equals, 5, {}, 5, true},
              {T::NotEquals, 5, {}, 5, false},
              {T::MoreThan, 10, {}, 11, true},
              {T::MoreThan, 10, {}, 10, false},
              {T::LessThan, 10, {}, 9, true},
              {T::MoreOrEqual, 10, {}, 10, true},
              {T::LessOrEqual, 10, {}, 11, false},
              {T::InsideRange, 10, 20, 10, true},
              {T::InsideRange, 10, 20, 20, true},
              {T::InsideRange, 10, 20, 9, false},
              {T::InsideRange, 10, 20, 21, false},
              {T::OutsideRange, 10, 20, 10, false},
              {T::OutsideRange, 10, 20, 20, false},
              {T::OutsideRange, 10, 20, 9, true},
              {T::OutsideRange, 10, 20, 21, true},
              {T::InsideRange, 0, 5, 3, true}, // lower limit 0
              {T::InsideRange, 0, 5, 6, false},
              {T::Equals, 0, {}, 7, true}, // 0 is no example
          });
}

TEST_F(MatchTestTest, DatesCompareAsDayNumbersOrByTheirCalendarParts) {
    check(
        "Date", FieldKind::Date,
        {
            {T::MonthOfYear, march5, {}, Date::fromYmd(2005, 3, 31), true},
            {T::MonthOfYear, march5, {}, Date::fromYmd(1850, 3, 1), true},
            {T::MonthOfYear, march5, {}, Date::fromYmd(1999, 4, 1), false},
            {T::MonthOfYear, march5, {}, 0, false}, // no date
            {T::DayOfMonth, march5, {}, Date::fromYmd(2000, 1, 5), true},
            {T::DayOfMonth, march5, {}, Date::fromYmd(1999, 3, 6), false},
            {T::InYear, march5, {}, Date::fromYmd(1999, 12, 31), true},
            {T::InYear, march5, {}, Date::fromYmd(2000, 1, 1), false},
            {T::MonthAndDay, march5, {}, Date::fromYmd(2010, 3, 5), true},
            {T::MonthAndDay, march5, {}, Date::fromYmd(1999, 3, 6), false},
            {T::YearAndMonth, march5, {}, Date::fromYmd(1999, 3, 31), true},
            {T::YearAndMonth, march5, {}, Date::fromYmd(2000, 3, 5), false},
            {T::InsideRange, march5, Date::fromYmd(1999, 3, 31), march5, true},
            {T::InsideRange, march5, Date::fromYmd(1999, 3, 31), Date::fromYmd(1999, 4, 1), false},
            {T::LessThan, march5, {}, 0, true},
            {T::MoreOrEqual, march5, {}, march5, true},
        });
}

TEST_F(MatchTestTest, PictureFieldsBeginAndEndWithDigits) {
    check("Time", FieldKind::Picture,
          {
              {T::BeginsWith, 12, {}, 12345, true},
              {T::BeginsWith, 23, {}, 12345, false},
              {T::EndsWith, 45, {}, 12345, true},
              {T::EndsWith, 4, {}, 12345, false},
              {T::Equals, 12345, {}, 12345, true},
              {T::OutsideRange, 100, 200, 150, false},
              {T::Contains, 3, {}, 12345, true}, // not a type of this kind: no part
          });
}

TEST_F(MatchTestTest, CheckBoxesAreOnOrOff) {
    check("Alarm", FieldKind::Check,
          {
              {T::Equals, 1, {}, 1, true},
              {T::Equals, 1, {}, 0, false},
              {T::NotEquals, 1, {}, 0, true},
              {T::NotEquals, 1, {}, 1, false},
              {T::MoreThan, 0, {}, 1, true}, // not a type of this kind
          });
}

TEST_F(MatchTestTest, OptionsCompareTheirWordsWithoutCase) {
    check("TaskType", FieldKind::Option,
          {
              {T::Equals, "both", {}, "Both", true},
              {T::Equals, "both", {}, "None", false},
              {T::NotEquals, "both", {}, "None", true},
              {T::NotEquals, "BOTH", {}, "Both", false},
          });
}

} // namespace
} // namespace velatask
