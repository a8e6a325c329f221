#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QPageLayout;
class QPagedPaintDevice;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace velatask {

class PageThumbnails;
class PreviewPage;
class ReportDocument;

// The print preview of a report: its pages one at a time beside a column of thumbnails, with
// page stepping and zoom. Pages are painted when they are shown. From here the report goes to
// any printer of the system, or into a PDF file for a user without one.
class ReportPreview : public QMainWindow {
    Q_OBJECT
public:
    // `printer` is the program's printer with the page setup from "&Print Setup ...".
    ReportPreview(std::unique_ptr<ReportDocument> document, QPrinter& printer,
                  QWidget* parent = nullptr);
    ~ReportPreview() override;

    const ReportDocument& document() const { return *m_document; }
    int currentPage() const { return m_page; }
    void showPage(int page);

    // Zoom: 1 shows the paper at its real size; fitting follows the window's size.
    enum class Fit { None, Width, Page };
    qreal zoom() const { return m_zoom; }
    void setZoom(qreal zoom);
    void setFit(Fit fit);
    void zoomIn();
    void zoomOut();

    // The print dialog, then the chosen pages on the chosen printer.
    void print();
    // A file dialog, then writePdf().
    void saveAsPdf();
    // The page setup dialog; the pages are laid out again on the new paper.
    void pageSetup();
    // Writes the whole report into a PDF file; false when it could not be written (the user
    // was told).
    bool writePdf(const QString& fileName);
    // Lays the report out again for other paper or margins.
    void relayOut(const QPageLayout& layout);

    QAction* action(const QString& text) const;
    QSpinBox* pageBox() const { return m_pageBox; }
    QComboBox* zoomBox() const { return m_zoomBox; }
    PageThumbnails* thumbnails() const { return m_thumbnails; }
    PreviewPage* pageView() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    QAction* addCommand(const QString& text, const QKeySequence& key,
                        const std::function<void()>& handler);
    void applyZoom();
    void pagesChanged();
    void zoomChosen(int index);
    // Renders pages, with "Printing Report" in a progress window when there are many.
    enum Rendered { RenderDone, RenderFailed, RenderCancelled };
    int render(QPagedPaintDevice& device, int first, int last);

    std::unique_ptr<ReportDocument> m_document;
    QPrinter& m_printer;
    PreviewPage* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    PageThumbnails* m_thumbnails = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    int m_page = 0;
    qreal m_zoom = 1;
    Fit m_fit = Fit::Width;
};

} // namespace velatask
