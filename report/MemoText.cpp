#include "report/MemoText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace velatask {
namespace {

// Lays the text out in lines of `width`; returns the height used.
qreal layOut(QTextLayout& layout, const QString& text, qreal width) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(lines);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(layout.font()).leading();
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height() + leading;
    }
    layout.endLayout();
    return y;
}

} // namespace

qreal MemoText::height(const QString& text, const QFont& font, qreal width) {
    if (text.isEmpty()) {
        return 0;
    }
    QTextLayout layout(QString(), font);
    return layOut(layout, text, width);
}

void MemoText::draw(QPainter& painter, const QString& text, const QFont& font, const QRectF& rect) {
    if (text.isEmpty()) {
        return;
    }
    QTextLayout layout(QString(), font);
    layOut(layout, text, rect.width());
    painter.setFont(font);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.y() + line.height() > rect.height() + 0.5) {
            break; // a block is never taller than the page: the rest is cut
        }
        line.draw(&painter, rect.topLeft());
    }
}

} // namespace velatask
