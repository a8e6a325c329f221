#include "ui/PageThumbnails.h"

#include "report/ReportDocument.h"
#include "ui/PreviewPage.h"

#include <QAbstractListModel>
#include <QPainter>
#include <QStyledItemDelegate>

namespace velatask {
namespace {

constexpr int kThumbWidth = 110;
constexpr int kMargin = 6;

// One row per page; the row's text is its number.
class PageModel : public QAbstractListModel {
public:
    explicit PageModel(const ReportDocument& document, QObject* parent)
        : QAbstractListModel(parent), m_document(document) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_document.pageCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
            return QStringLiteral("Page %1").arg(index.row() + 1);
        }
        return {};
    }
    void relaid() {
        beginResetModel();
        endResetModel();
    }

private:
    const ReportDocument& m_document;
};

// Paints the page itself, scaled down, with its number under it.
class PageDelegate : public QStyledItemDelegate {
public:
    PageDelegate(const ReportDocument& document, QObject* parent)
        : QStyledItemDelegate(parent), m_document(document) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(kThumbWidth + 2 * kMargin,
                     paperHeight() + option.fontMetrics.height() + 3 * kMargin);
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect;
        if (option.state & QStyle::State_Selected) {
            painter->fillRect(cell, option.palette.highlight());
        }
        const QRectF paper(cell.left() + kMargin, cell.top() + kMargin, kThumbWidth, paperHeight());
        PreviewPage::paintPage(*painter, m_document, index.row(), paper);
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(paper);
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRect(cell.left(), int(paper.bottom()) + kMargin / 2, cell.width(),
                                option.fontMetrics.height()),
                          Qt::AlignHCenter, QString::number(index.row() + 1));
    }

private:
    int paperHeight() const {
        const QSizeF paper = m_document.geometry().paperSize();
        return int(kThumbWidth * paper.height() / paper.width());
    }
    const ReportDocument& m_document;
};

} // namespace

PageThumbnails::PageThumbnails(const ReportDocument& document, QWidget* parent)
    : QListView(parent), m_document(document) {
    setModel(new PageModel(document, this));
    setItemDelegate(new PageDelegate(document, this));
    setUniformItemSizes(true); // thousands of pages: only the visible ones are measured
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(QStringLiteral("Pages"));
    const int width = kThumbWidth + 2 * kMargin + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setFixedWidth(width + 2 * frameWidth() + 4);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    emit pageChosen(current.row());
                }
            });
}

void PageThumbnails::documentChanged() {
    static_cast<PageModel*>(model())->relaid();
}

void PageThumbnails::setCurrentPage(int page) {
    const QModelIndex index = model()->index(page, 0);
    if (index.isValid() && currentIndex() != index) {
        setCurrentIndex(index);
        scrollTo(index);
    }
}

} // namespace velatask
