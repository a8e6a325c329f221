#pragma once

#include <QStringList>

class QFont;
class QPrinter;

namespace velatask {

// Prints lines of text one under the other in a fixed-pitch font, as many to a page as fit.
namespace LinePrinter {

// The number of pages printed; 0 when the printer could not start.
int print(QPrinter& printer, const QStringList& lines, const QFont& font);

} // namespace LinePrinter

} // namespace velatask
