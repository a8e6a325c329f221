#include "WindowFixture.h"

#include "../support/PdfText.h"

#include "core/Date.h"
#include "report/BriefScheduleReport.h"
#include "report/ReportDocument.h"
#include "ui/Accessibility.h"
#include "ui/PageThumbnails.h"
#include "ui/PreviewPage.h"
#include "ui/ProgressWindow.h"
#include "ui/ReportPreview.h"
#include "ui/RunReport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

using namespace velatask;

namespace {

class ReportPreviewTest : public WindowFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(store.SCH.open(), 0);
        for (int i = 0; i < 130; ++i) {
            store.SCH.clearBuffer();
            store.SCH.buffer().ID = i + 1;
            store.SCH.buffer().Description = QStringLiteral("Task %1").arg(i + 1);
            store.SCH.buffer().Date = Date::fromYmd(2025, 1, 1) + i;
            ASSERT_EQ(store.SCH.add(), 0);
        }
        store.SCH.close();
        printer.setPageLayout(PageGeometry::defaultLayout());
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<ReportPreview*>(w)) {
                delete w;
            }
        }
    }

    static int previewsOpen() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            n += qobject_cast<ReportPreview*>(w) != nullptr;
        }
        return n;
    }

    QPrinter printer{QPrinter::HighResolution};
};

} // namespace

TEST_F(ReportPreviewTest, CancelInTheProgressWindowEndsTheReportWithoutPreview) {
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto* progress = qobject_cast<ProgressWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(progress, nullptr);
        shownText = progress->textLine()->text();
        progress->cancelButton()->click();
    });
    EXPECT_EQ(runReport(store, std::make_shared<BriefScheduleReport>(), printer, nullptr), nullptr);
    EXPECT_EQ(shownText, QStringLiteral("Generating Report"));
    EXPECT_EQ(previewsOpen(), 0);
    EXPECT_EQ(store.SCH.useCount(), 0) << "the table is released";
}

TEST_F(ReportPreviewTest, ThePreviewStepsThroughPagesZoomsAndFollowsThePageSetup) {
    ReportPreview* preview =
        runReport(store, std::make_shared<BriefScheduleReport>(), printer, nullptr);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(previewsOpen(), 1);
    EXPECT_EQ(store.SCH.useCount(), 0) << "the pages keep what they print, not the table";
    EXPECT_TRUE(Accessibility::unnamedControls(preview).isEmpty())
        << Accessibility::unnamedControls(preview).join(", ").toStdString();
    const int pages = preview->document().pageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(preview->pageBox()->maximum(), pages);
    EXPECT_EQ(preview->thumbnails()->model()->rowCount(), pages);
    EXPECT_FALSE(preview->action(QStringLiteral("P&revious"))->isEnabled());

    preview->action(QStringLiteral("&Next"))->trigger();
    EXPECT_EQ(preview->currentPage(), 1);
    EXPECT_EQ(preview->pageBox()->value(), 2);
    EXPECT_EQ(preview->thumbnails()->currentIndex().row(), 1);
    preview->action(QStringLiteral("&Last"))->trigger();
    EXPECT_EQ(preview->currentPage(), pages - 1);
    EXPECT_FALSE(preview->action(QStringLiteral("&Next"))->isEnabled());
    preview->pageBox()->setValue(2);
    EXPECT_EQ(preview->currentPage(), 1);
    preview->thumbnails()->setCurrentIndex(preview->thumbnails()->model()->index(0, 0));
    EXPECT_EQ(preview->currentPage(), 0);

    preview->setZoom(1);
    const QSize real = preview->pageView()->size();
    preview->action(QStringLiteral("Zoom &In"))->trigger();
    EXPECT_DOUBLE_EQ(preview->zoom(), 1.25);
    EXPECT_EQ(preview->zoomBox()->currentText(), QStringLiteral("125%"));
    EXPECT_GT(preview->pageView()->width(), real.width());
    preview->action(QStringLiteral("Zoom &Out"))->trigger();
    preview->action(QStringLiteral("Zoom &Out"))->trigger();
    EXPECT_DOUBLE_EQ(preview->zoom(), 0.75);

    // Other paper: the same records on more, wider pages; the view stays on its records.
    preview->showPage(2);
    const int firstShown = preview->document().blocksOn(2).first;
    preview->relayOut(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    EXPECT_GT(preview->document().pageCount(), pages);
    const auto [first, last] = preview->document().blocksOn(preview->currentPage());
    EXPECT_TRUE(first <= firstShown && firstShown < last);
    EXPECT_EQ(preview->pageBox()->maximum(), preview->document().pageCount());
}

TEST_F(ReportPreviewTest, SavingAsPdfWritesEveryPage) {
    ReportPreview* preview =
        runReport(store, std::make_shared<BriefScheduleReport>(), printer, nullptr);
    ASSERT_NE(preview, nullptr);
    const QString file = QDir(m_dir.path()).filePath(QStringLiteral("brief.pdf"));
    ASSERT_TRUE(preview->writePdf(file));
    EXPECT_EQ(pdfPages(file), preview->document().pageCount());
    EXPECT_TRUE(pdfText(file, 1).contains(QStringLiteral("Task 1\n")));
}
