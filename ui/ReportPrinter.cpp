#include "ui/ReportPrinter.h"

#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace velatask {

void setUpReportPrinter(QPrinter& printer) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
        printer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
    }
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

} // namespace velatask
