#include "RandomTask.h"

#include "csv/CsvFieldReader.h"
#include "csv/ExportChoice.h"
#include "csv/ExportLineBuilder.h"
#include "csv/ImportPlan.h"

#include "tests/store/StoreTestBase.h" // readable texts in failures

#include <gtest/gtest.h>

using namespace velatask;

namespace {

std::vector<CsvField> fieldsOf(const QString& line) {
    std::vector<CsvField> out;
    CsvFieldReader reader(line);
    CsvField f;
    while (reader.next(f)) {
        out.push_back(f);
    }
    return out;
}

QStringList valuesOf(const QString& line) {
    QStringList out;
    for (const CsvField& f : fieldsOf(line)) {
        out << f.text;
    }
    return out;
}

QList<ExportField> allFields() {
    QList<ExportField> fields;
    for (int i = 0; i < ScheduleField::kCount; ++i) {
        fields.append({i, ScheduleField::all()[size_t(i)].pictureText()});
    }
    return fields;
}

int target(const char* name) {
    return ScheduleField::indexOf(QString::fromLatin1(name));
}

} // namespace

TEST(ImportPlan, FieldsTakePicturesFromTheFirstLine) {
    ImportPlan plan;
    plan.setFields(fieldsOf(QStringLiteral(R"("x",12,"5/01/1999")")));
    ASSERT_EQ(plan.fieldCount(), 3);
    EXPECT_EQ(ImportPlan::fieldName(0), QStringLiteral("Field_1"));
    EXPECT_EQ(plan.picture(0), QStringLiteral("@S1000"));
    EXPECT_EQ(plan.typeWord(0), QStringLiteral("Alpha-num"));
    EXPECT_EQ(plan.picture(1), QStringLiteral("@N30.9"));
    EXPECT_EQ(plan.typeWord(1), QStringLiteral("Numeric"));
    plan.setPicture(2, QStringLiteral("@d6"));
    EXPECT_EQ(plan.typeWord(2), QStringLiteral("@d6"));
    EXPECT_FALSE(plan.anyAssigned());
}

TEST(ImportPlan, LinesFillAssignedTargetsAndLeaveTheRest) {
    ImportPlan plan;
    plan.setFields(fieldsOf(QStringLiteral(R"("d",1,"5/01/1999","9:05AM")")));
    plan.assign(target("SCH:Description"), 0);
    plan.assign(target("SCH:Monday"), 1);
    plan.assign(target("SCH:Every"), 1); // one field may feed several targets
    plan.setPicture(2, QStringLiteral("@d6"));
    plan.assign(target("SCH:Date"), 2);
    plan.assign(target("SCH:Time"), 3); // still a text picture: "9:05AM" is no number
    plan.assign(target("SCH:Category"), 1);

    ScheduleRecord task;
    task.Path = QStringLiteral("kept");
    const QString longText =
        QStringLiteral(R"(A "quoted" description longer than forty characters)");
    QString quoted = longText;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    plan.apply(QLatin1Char('"') + quoted + QStringLiteral(R"(",7,"5/01/1999","9:05AM")"), task);
    EXPECT_EQ(task.Description, longText.left(ScheduleRecord::kDescriptionWidth));
    EXPECT_EQ(task.Monday, 7);
    EXPECT_EQ(task.Every, 7);
    EXPECT_EQ(task.Category, QStringLiteral("7"));
    EXPECT_EQ(task.Date, Date::fromYmd(1999, 1, 5));
    EXPECT_EQ(task.Time, 0);
    EXPECT_EQ(task.Path, QStringLiteral("kept"));

    // Fewer fields than the first line: the missing targets keep the previous line's values.
    plan.apply(QStringLiteral(R"("second",300)"), task);
    EXPECT_EQ(task.Description, QStringLiteral("second"));
    EXPECT_EQ(task.Monday, 255); // kept within a byte
    EXPECT_EQ(task.Date, Date::fromYmd(1999, 1, 5));
    // A date that does not read with its picture is stored as 0.
    plan.apply(QStringLiteral(R"("third",0,"31/02/1999")"), task);
    EXPECT_EQ(task.Date, 0);
    plan.unassign(target("SCH:Date"));
    plan.apply(QStringLiteral(R"("fourth",0,"5/01/1999")"), task);
    EXPECT_EQ(task.Date, 0);
}

TEST(ImportPlan, AutoMatchesHeaderNamesAndReadsDatesWithTheirPictures) {
    ExportLineBuilder builder(allFields());
    CsvLine header;
    builder.header(header);
    ImportPlan plan;
    plan.setFields(fieldsOf(header.text()));
    plan.assign(target("SCH:Path"), 0); // an assignment made by hand stays
    plan.autoAssign(valuesOf(header.text()));
    for (int t = 0; t < ScheduleField::kCount; ++t) {
        EXPECT_EQ(plan.assignment(t), t == target("SCH:Path") ? 0 : t) << t;
    }
    EXPECT_EQ(plan.picture(target("SCH:AdvanceWarnDate")), QStringLiteral("@d3"));
    EXPECT_EQ(plan.picture(target("SCH:Time")), QStringLiteral("@t3"));
    EXPECT_EQ(plan.picture(target("SCH:Every")), QStringLiteral("@S1000"));
}

TEST(ImportPlan, ExportThenImportGivesBackTheSameFields) {
    ExportLineBuilder builder(allFields());
    CsvLine header;
    builder.header(header);
    ImportPlan plan;
    plan.setFields(fieldsOf(header.text()));
    plan.autoAssign(valuesOf(header.text()));

    RandomTask random(14);
    CsvLine line;
    ScheduleRecord back;
    for (int i = 0; i < 500; ++i) {
        ScheduleRecord task = random.next();
        builder.build(task, line);
        plan.apply(line.text(), back);
        back.ID = task.ID;
        ASSERT_EQ(back, task) << line.text().toStdString();
    }
}

TEST(ExportChoice, FieldsMoveBetweenTheListsAndKeepTheirOrder) {
    ExportChoice c;
    const int date = target("SCH:Date");
    const int message = target("SCH:Message");
    EXPECT_EQ(c.add(date), 0);
    EXPECT_EQ(c.add(0), 1);    // SCH:Message, now first of the rest
    EXPECT_EQ(c.add(0, 0), 0); // dropped on the top of the chosen list
    ASSERT_EQ(c.chosen().size(), 3);
    EXPECT_EQ(c.chosen()[2], (ExportField{message, QStringLiteral("@s255")}));
    EXPECT_EQ(c.chosen()[1].picture, QStringLiteral("@d6"));
    EXPECT_EQ(c.shiftUp(0), -1);
    EXPECT_EQ(c.shiftDown(2), -1);
    EXPECT_EQ(c.shiftUp(2), 1);
    EXPECT_EQ(c.chosen()[1].field, message);
    c.setPicture(2, QStringLiteral("@d3"));
    EXPECT_EQ(c.chosen()[2].picture, QStringLiteral("@d3"));

    // Back where they came from.
    EXPECT_EQ(c.remove(1), 0);
    EXPECT_EQ(c.remove(1), date - 1);
    EXPECT_EQ(c.remove(0), 1);
    EXPECT_EQ(c.remove(0), -1);
    for (int i = 0; i < ScheduleField::kCount; ++i) {
        EXPECT_EQ(c.available()[i], i);
    }
}
