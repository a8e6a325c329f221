#pragma once

#include "csv/ExportLineBuilder.h"

#include <QList>

namespace velatask {

// The export window's two lists: the fields still to choose from, in the Schedule's order, and
// the fields chosen for export, in output order, each with the picture it is written with.
// Rows are positions in these lists; moves answer the row where the field landed, -1 when
// nothing moved.
class ExportChoice {
public:
    ExportChoice();

    const QList<int>& available() const { return m_available; } // positions in ScheduleField::all()
    const QList<ExportField>& chosen() const { return m_chosen; }

    // Moves an available field to the chosen ones, at `at` (the end when -1), with its default
    // picture.
    int add(int availableRow, int at = -1);
    // Moves a chosen field back to its place among the available ones.
    int remove(int chosenRow);
    int shiftUp(int chosenRow);
    int shiftDown(int chosenRow);
    void setPicture(int chosenRow, const QString& picture);

private:
    QList<int> m_available;
    QList<ExportField> m_chosen;
};

} // namespace velatask
