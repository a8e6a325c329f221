#include "ReportFixture.h"

#include "../support/PdfText.h"

#include "core/Date.h"
#include "core/Time.h"
#include "report/BriefScheduleReport.h"
#include "report/PageRenderJob.h"
#include "report/ScheduleReport.h"

#include <QPdfWriter>
#include <QRegularExpression>

using namespace velatask;

namespace {

class PdfOutputTest : public ReportFixture {
protected:
    QString write(const ReportDocument& doc) {
        const QString file = m_dir.filePath(QStringLiteral("report.pdf"));
        QPdfWriter writer(file);
        writer.setPageLayout(doc.geometry().layout);
        EXPECT_TRUE(PageRenderJob::renderAll(doc, writer));
        return file;
    }
};

} // namespace

TEST_F(PdfOutputTest, EveryPageCarriesItsTitleItsRecordsOnceAndItsNumber) {
    for (int i = 1; i <= 150; ++i) {
        ScheduleRecord t;
        t.Description = QStringLiteral("Task %1 of the brief list").arg(i, 3, 10, QLatin1Char('0'));
        t.Category = QStringLiteral("Work");
        t.Date = Date::fromYmd(2025, 1 + i % 12, 1 + i % 28);
        t.Time = Time::fromHms(i % 24, 15);
        addTask(t);
    }
    const auto doc = generate(std::make_shared<BriefScheduleReport>());
    ASSERT_EQ(doc->blockCount(), 150);
    ASSERT_GE(doc->pageCount(), 3);
    const QString file = write(*doc);
    EXPECT_EQ(pdfPages(file), doc->pageCount());

    QStringList printed;
    for (int page = 1; page <= doc->pageCount(); ++page) {
        SCOPED_TRACE(page);
        const QString text = pdfText(file, page);
        EXPECT_TRUE(text.contains(QStringLiteral("Schedule in Brief")));
        EXPECT_TRUE(text.contains(
            QRegularExpression(QStringLiteral("Date\\s+Time\\s+Category\\s+Description"))));
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\bPage %1\\s*$").arg(page))))
            << text.toStdString();
        const auto [first, last] = doc->blocksOn(page - 1);
        for (const auto& m : QRegularExpression(QStringLiteral("Task \\d{3} of the brief list"))
                                 .globalMatch(text)) {
            printed << m.captured();
        }
        EXPECT_EQ(int(printed.size()), last) << "the page's blocks, all of them whole";
    }
    EXPECT_EQ(printed, column(*doc, BriefScheduleReport::Description));
}

TEST_F(PdfOutputTest, ATaskBlockPrintsItsLabelsAndValuesWhole) {
    ScheduleRecord t;
    t.TaskType = QStringLiteral("Both");
    t.Category = QStringLiteral("Health");
    t.Description = QStringLiteral("Take the tablets");
    t.Command = QStringLiteral("/usr/bin/notify-send tablets");
    t.Message = QStringLiteral("Two with water.\nNot before breakfast.");
    t.ScheduleType = QStringLiteral("Day of Week");
    t.Monday = t.Thursday = 1;
    t.Date = Date::fromYmd(1999, 1, 7);
    t.Time = Time::fromHms(9, 5);
    addTask(t);
    const auto doc = generate(std::make_shared<ScheduleReport>(ScheduleKey::KeyDate));
    // Compatibility forms: the font may set "fi" as one glyph.
    const QString text =
        pdfText(write(*doc), 1).normalized(QString::NormalizationForm_KC).simplified();
    for (const char* expected :
         {"Schedule", "Task Type Both", "Category Health", "Schedule Type Day of Week",
          "Description Take the tablets", "Command /usr/bin/notify-send tablets",
          "Message Two with water.", "Not before breakfast.",
          "Sunday Monday Tuesday Wednesday Thursday Friday Saturday",
          "Every 0 1st 2nd 3rd 4th Last", "Date Jan 7, 1999", "Time 9:05AM",
          "Last Run:", "Skip Next Time", "Alarm", "Advance Warning",
          "Warn if not run on specified date Give option to skip before performing Disabled",
          "Page 1"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
    }
}
