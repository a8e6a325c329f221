#pragma once

class QPrinter;

namespace velatask {

// Gives the program's printer the page setup reports start from: the printer's own paper (or,
// with no printer on the system, A4 or Letter by the locale's measurement system) and margins
// of 15 mm, wider than the few millimetres a printer driver offers. "&Print Setup ..." changes
// them from there.
void setUpReportPrinter(QPrinter& printer);

} // namespace velatask
