#pragma once

#include <QWidget>

namespace velatask {

class ReportDocument;

// One page of a report on the screen at a scale, painted from the document each time it is
// shown; only the page on screen exists as pixels.
class PreviewPage : public QWidget {
    Q_OBJECT
public:
    PreviewPage(const ReportDocument& document, QWidget* parent = nullptr);

    int page() const { return m_page; }
    void setPage(int page);
    // Screen pixels per layout unit.
    qreal scale() const { return m_scale; }
    void setScale(qreal scale);

    QSize sizeHint() const override;

    // Paints page `page` of a document filling `target` (the whole paper).
    static void paintPage(QPainter& painter, const ReportDocument& document, int page,
                          const QRectF& target);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ReportDocument& m_document;
    int m_page = 0;
    qreal m_scale = 0.1;
};

} // namespace velatask
