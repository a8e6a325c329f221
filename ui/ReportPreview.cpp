#include "ui/ReportPreview.h"

#include "report/PageGeometry.h"
#include "report/PageRenderJob.h"
#include "report/ReportDocument.h"
#include "ui/Accessibility.h"
#include "ui/BusyCursor.h"
#include "ui/FileDialogs.h"
#include "ui/PageThumbnails.h"
#include "ui/PreviewPage.h"
#include "ui/ProgressWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <array>

namespace velatask {
namespace {

// The zoom box: two ways of fitting, then fixed factors.
constexpr std::array<int, 7> kPercents{50, 75, 100, 125, 150, 200, 300};
constexpr int kFits = 2;
// Up to this many pages are printed without a progress window.
constexpr int kQuickPages = 20;
constexpr int kPagesPerTick = 10;
// Space around the paper in the scroll area, in pixels.
constexpr int kPaperMargin = 24;

// A file name made of the report's title: "Schedule in Brief.pdf".
QString pdfName(const QString& title) {
    QString name;
    for (QChar c : title) {
        if (c.isLetterOrNumber() || c == QLatin1Char(' ')) {
            name += c;
        }
    }
    return name.trimmed() + QStringLiteral(".pdf");
}

} // namespace

ReportPreview::ReportPreview(std::unique_ptr<ReportDocument> document, QPrinter& printer,
                             QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_document(std::move(document)), m_printer(printer) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Print Preview - ") + m_document->layout().title());

    m_view = new PreviewPage(*m_document);
    m_scroll = new QScrollArea;
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAccessibleName(QStringLiteral("Page"));
    m_thumbnails = new PageThumbnails(*m_document);
    connect(m_thumbnails, &PageThumbnails::pageChosen, this, &ReportPreview::showPage);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_thumbnails);
    layout->addWidget(m_scroll, 1);
    setCentralWidget(central);
    buildToolBar();
    statusBar();

    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        resize(std::min(available.width(), std::max(960, available.width() * 3 / 4)),
               std::min(available.height(), std::max(720, available.height() * 9 / 10)));
    }
    setTabOrder(m_pageBox, m_zoomBox);
    setTabOrder(m_zoomBox, m_thumbnails);
    setTabOrder(m_thumbnails, m_scroll);
    Accessibility::nameControls(this);
    pagesChanged();
    showPage(0);
}

ReportPreview::~ReportPreview() = default;

QAction* ReportPreview::addCommand(const QString& text, const QKeySequence& key,
                                   const std::function<void()>& handler) {
    auto* a = new QAction(text, this);
    a->setShortcut(key);
    QString tip = Accessibility::spokenText(text);
    if (!key.isEmpty()) {
        tip += QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText));
    }
    a->setToolTip(tip);
    connect(a, &QAction::triggered, this, handler);
    return a;
}

void ReportPreview::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Preview"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(
        addCommand(QStringLiteral("&Print..."), QKeySequence::Print, [this] { print(); }));
    bar->addAction(
        addCommand(QStringLiteral("Save as P&DF..."), QKeySequence::Save, [this] { saveAsPdf(); }));
    bar->addAction(
        addCommand(QStringLiteral("Page Set&up..."), QKeySequence(), [this] { pageSetup(); }));
    bar->addSeparator();

    m_first = addCommand(QStringLiteral("&First"), QKeySequence(Qt::CTRL | Qt::Key_Home),
                         [this] { showPage(0); });
    m_previous = addCommand(QStringLiteral("P&revious"), QKeySequence(Qt::Key_PageUp),
                            [this] { showPage(m_page - 1); });
    bar->addAction(m_first);
    bar->addAction(m_previous);
    auto* pageLabel = new QLabel(QStringLiteral("P&age"));
    pageLabel->setContentsMargins(6, 0, 4, 0);
    m_pageBox = new QSpinBox;
    m_pageBox->setKeyboardTracking(false);
    pageLabel->setBuddy(m_pageBox);
    m_pageCount = new QLabel;
    m_pageCount->setContentsMargins(4, 0, 6, 0);
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int page) { showPage(page - 1); });
    bar->addWidget(pageLabel);
    bar->addWidget(m_pageBox);
    bar->addWidget(m_pageCount);
    m_next = addCommand(QStringLiteral("&Next"), QKeySequence(Qt::Key_PageDown),
                        [this] { showPage(m_page + 1); });
    m_last = addCommand(QStringLiteral("&Last"), QKeySequence(Qt::CTRL | Qt::Key_End),
                        [this] { showPage(m_document->pageCount() - 1); });
    bar->addAction(m_next);
    bar->addAction(m_last);
    bar->addSeparator();

    bar->addAction(
        addCommand(QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut, [this] { zoomOut(); }));
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom"));
    zoomLabel->setContentsMargins(6, 0, 4, 0);
    m_zoomBox = new QComboBox;
    m_zoomBox->addItems({QStringLiteral("Fit Width"), QStringLiteral("Fit Page")});
    for (int percent : kPercents) {
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent));
    }
    zoomLabel->setBuddy(m_zoomBox);
    connect(m_zoomBox, &QComboBox::activated, this, &ReportPreview::zoomChosen);
    bar->addWidget(zoomLabel);
    bar->addWidget(m_zoomBox);
    bar->addAction(
        addCommand(QStringLiteral("Zoom &In"), QKeySequence::ZoomIn, [this] { zoomIn(); }));
    bar->addSeparator();
    bar->addAction(
        addCommand(QStringLiteral("&Close"), QKeySequence(Qt::Key_Escape), [this] { close(); }));
}

QAction* ReportPreview::action(const QString& text) const {
    for (QAction* a : findChildren<QAction*>()) {
        if (a->text() == text) {
            return a;
        }
    }
    return nullptr;
}

void ReportPreview::showPage(int page) {
    page = std::clamp(page, 0, m_document->pageCount() - 1);
    m_page = page;
    m_view->setPage(page);
    m_thumbnails->setCurrentPage(page);
    if (m_pageBox->value() != page + 1) {
        const QSignalBlocker quiet(m_pageBox);
        m_pageBox->setValue(page + 1);
    }
    m_first->setEnabled(page > 0);
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page + 1 < m_document->pageCount());
    m_last->setEnabled(page + 1 < m_document->pageCount());
    statusBar()->showMessage(
        QStringLiteral("Page %1 of %2").arg(page + 1).arg(m_document->pageCount()));
}

void ReportPreview::pagesChanged() {
    const int pages = m_document->pageCount();
    m_pageBox->setRange(1, pages);
    m_pageCount->setText(QStringLiteral("of %1").arg(pages));
    m_thumbnails->documentChanged();
    applyZoom();
}

void ReportPreview::setZoom(qreal zoom) {
    m_fit = Fit::None;
    m_zoom = std::clamp<qreal>(zoom, 0.1, 8);
    applyZoom();
}

void ReportPreview::setFit(Fit fit) {
    m_fit = fit;
    applyZoom();
}

void ReportPreview::zoomChosen(int index) {
    if (index < kFits) {
        setFit(index == 0 ? Fit::Width : Fit::Page);
    } else {
        setZoom(kPercents[std::size_t(index - kFits)] / 100.0);
    }
}

void ReportPreview::zoomIn() {
    for (int percent : kPercents) {
        if (percent > int(m_zoom * 100 + 0.5)) {
            setZoom(percent / 100.0);
            return;
        }
    }
}

void ReportPreview::zoomOut() {
    for (auto p = kPercents.rbegin(); p != kPercents.rend(); ++p) {
        if (*p < int(m_zoom * 100 + 0.5)) {
            setZoom(*p / 100.0);
            return;
        }
    }
}

void ReportPreview::applyZoom() {
    // Screen pixels per layout unit at zoom 1: the paper at its real size.
    const qreal realSize = logicalDpiX() / ReportStyle::kUnitsPerInch;
    const QSizeF paper = m_document->geometry().paperSize() * realSize;
    const QSize room = m_scroll->viewport()->size() - QSize(2 * kPaperMargin, 2 * kPaperMargin);
    if (m_fit == Fit::Width) {
        m_zoom = std::max<qreal>(0.1, room.width() / paper.width());
    } else if (m_fit == Fit::Page) {
        m_zoom = std::max<qreal>(
            0.1, std::min(room.width() / paper.width(), room.height() / paper.height()));
    }
    m_view->setScale(realSize * m_zoom);
    const int fixed = int(std::find(kPercents.begin(), kPercents.end(), int(m_zoom * 100 + 0.5)) -
                          kPercents.begin());
    if (m_fit == Fit::Width || m_fit == Fit::Page) {
        m_zoomBox->setCurrentIndex(m_fit == Fit::Width ? 0 : 1);
    } else if (fixed < int(kPercents.size())) {
        m_zoomBox->setCurrentIndex(kFits + fixed);
    }
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (m_fit != Fit::None) {
        applyZoom();
    }
}

void ReportPreview::relayOut(const QPageLayout& layout) {
    const PageGeometry geometry(layout);
    if (geometry == m_document->geometry()) {
        return;
    }
    // Stay on the records that were on screen.
    const int firstBlock = m_document->blocksOn(m_page).first;
    {
        BusyCursor busy;
        m_document->setGeometry(geometry);
    }
    int page = 0;
    while (page + 1 < m_document->pageCount() &&
           m_document->blocksOn(page + 1).first <= firstBlock) {
        ++page;
    }
    pagesChanged();
    showPage(page);
}

void ReportPreview::pageSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        relayOut(m_printer.pageLayout());
    }
}

int ReportPreview::render(QPagedPaintDevice& device, int first, int last) {
    PageRenderJob job(*m_document, device, first, last);
    if (!job.begin()) {
        return RenderFailed;
    }
    bool done = true;
    if (last - first + 1 <= kQuickPages) {
        BusyCursor busy;
        while (job.next(kPagesPerTick)) {
        }
    } else {
        ProgressWindow progress(QStringLiteral("Printing Report"), QString(), this);
        ProgressJob pages{[&](int count) { return job.next(count); },
                          [&] { return job.percent(); }};
        done = progress.run(pages, kPagesPerTick) == Response::Completed;
        if (!done) {
            if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
                printer->abort();
            }
        }
    }
    const bool written = job.finish();
    if (!done) {
        return RenderCancelled;
    }
    return written ? RenderDone : RenderFailed;
}

void ReportPreview::print() {
    QPrintDialog dialog(&m_printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, m_document->pageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    relayOut(m_printer.pageLayout());
    int first = 0;
    int last = m_document->pageCount() - 1;
    if (m_printer.printRange() == QPrinter::PageRange && m_printer.fromPage() > 0) {
        first = m_printer.fromPage() - 1;
        last = std::max(first, m_printer.toPage() - 1);
    } else if (m_printer.printRange() == QPrinter::CurrentPage) {
        first = last = m_page;
    }
    if (render(m_printer, first, last) == RenderFailed) {
        QMessageBox::warning(this, QStringLiteral("Print"),
                             QStringLiteral("The report could not be printed."));
    }
}

void ReportPreview::saveAsPdf() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    QFileDialog dialog(this, QStringLiteral("Save as PDF"));
    prepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
    dialog.setDirectory(folder);
    dialog.selectFile(pdfName(m_document->layout().title()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    QString file = dialog.selectedFiles().constFirst();
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        file += QStringLiteral(".pdf");
    }
    writePdf(file);
}

bool ReportPreview::writePdf(const QString& fileName) {
    QPdfWriter writer(fileName);
    writer.setPageLayout(m_document->geometry().layout);
    writer.setTitle(m_document->layout().title());
    writer.setCreator(QStringLiteral("Velatask"));
    const int result = render(writer, 0, m_document->pageCount() - 1);
    if (result == RenderDone) {
        return true;
    }
    QFile::remove(fileName); // never leave half a report behind
    if (result == RenderFailed) {
        QMessageBox::warning(this, QStringLiteral("Save as PDF"),
                             QStringLiteral("The file %1 could not be written.")
                                 .arg(QDir::toNativeSeparators(fileName)));
    }
    return false;
}

} // namespace velatask
