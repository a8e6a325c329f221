#pragma once

#include <QListView>

namespace velatask {

class ReportDocument;

// A column of small pictures of a report's pages with their numbers; a page is drawn only
// while its picture is in view. Choosing one shows that page.
class PageThumbnails : public QListView {
    Q_OBJECT
public:
    PageThumbnails(const ReportDocument& document, QWidget* parent = nullptr);

    // After the document was laid out again.
    void documentChanged();
    void setCurrentPage(int page);

signals:
    void pageChosen(int page);

private:
    const ReportDocument& m_document;
};

} // namespace velatask
