#include "ui/PreviewPage.h"

#include "report/PagePainter.h"
#include "report/ReportDocument.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace velatask {

PreviewPage::PreviewPage(const ReportDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void PreviewPage::setPage(int page) {
    m_page = page;
    update();
}

void PreviewPage::setScale(qreal scale) {
    m_scale = scale;
    resize(sizeHint());
    update();
}

QSize PreviewPage::sizeHint() const {
    const QSizeF paper = m_document.geometry().paperSize() * m_scale;
    return QSize(int(std::ceil(paper.width())), int(std::ceil(paper.height())));
}

void PreviewPage::paintPage(QPainter& painter, const ReportDocument& document, int page,
                            const QRectF& target) {
    painter.fillRect(target, Qt::white);
    const QSizeF paper = document.geometry().paperSize();
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / paper.width(), target.height() / paper.height());
    painter.translate(document.geometry().printRect().topLeft());
    PagePainter(document).paint(painter, page);
    painter.restore();
}

void PreviewPage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paintPage(painter, m_document, m_page, QRectF(rect()));
}

} // namespace velatask
