#include "csv/ExportChoice.h"

#include <algorithm>

namespace velatask {

ExportChoice::ExportChoice() {
    for (int i = 0; i < ScheduleField::kCount; ++i) {
        m_available.append(i);
    }
}

int ExportChoice::add(int availableRow, int at) {
    if (availableRow < 0 || availableRow >= m_available.size()) {
        return -1;
    }
    const int field = m_available.takeAt(availableRow);
    if (at < 0 || at > m_chosen.size()) {
        at = int(m_chosen.size());
    }
    m_chosen.insert(at, ExportField{field, ScheduleField::all()[size_t(field)].pictureText()});
    return at;
}

int ExportChoice::remove(int chosenRow) {
    if (chosenRow < 0 || chosenRow >= m_chosen.size()) {
        return -1;
    }
    const int field = m_chosen.takeAt(chosenRow).field;
    const auto at = std::lower_bound(m_available.begin(), m_available.end(), field);
    const int row = int(at - m_available.begin());
    m_available.insert(row, field);
    return row;
}

int ExportChoice::shiftUp(int chosenRow) {
    if (chosenRow < 1 || chosenRow >= m_chosen.size()) {
        return -1;
    }
    m_chosen.swapItemsAt(chosenRow, chosenRow - 1);
    return chosenRow - 1;
}

int ExportChoice::shiftDown(int chosenRow) {
    if (chosenRow < 0 || chosenRow + 1 >= m_chosen.size()) {
        return -1;
    }
    m_chosen.swapItemsAt(chosenRow, chosenRow + 1);
    return chosenRow + 1;
}

void ExportChoice::setPicture(int chosenRow, const QString& picture) {
    if (chosenRow >= 0 && chosenRow < m_chosen.size()) {
        m_chosen[chosenRow].picture = picture;
    }
}

} // namespace velatask
