#include "scripting/ui/LinePrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace velatask::LinePrinter {

int print(QPrinter& printer, const QStringList& lines, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return 0;
    }
    painter.setFont(QFont(font, painter.device()));
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int height = metrics.lineSpacing();
    const int perPage = std::max(1, page.height() / height);
    int pages = 1;
    int onPage = 0;
    for (const QString& line : lines) {
        if (onPage == perPage) {
            printer.newPage();
            ++pages;
            onPage = 0;
        }
        painter.drawText(0, onPage * height + metrics.ascent(), line);
        ++onPage;
    }
    painter.end();
    return pages;
}

} // namespace velatask::LinePrinter
