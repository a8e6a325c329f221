#pragma once

#include "ui/ListFormat.h"

#include <QStyledItemDelegate>

namespace velatask {

// Draws a list's cells with the indent and justification their format column declares, icons
// included. In a list whose rows colour their text, the highlighted row keeps those colours.
class ColumnDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ColumnDelegate(const ListFormat& format, QObject* parent = nullptr);

    // Indents in pixels per column.
    void setIndents(QVector<int> pixels) { m_indents = std::move(pixels); }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const ListFormat& m_format;
    QVector<int> m_indents;
    bool m_colouredRows = false;
};

} // namespace velatask
