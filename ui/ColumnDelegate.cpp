#include "ui/ColumnDelegate.h"

#include <QApplication>
#include <QStyle>

namespace velatask {

ColumnDelegate::ColumnDelegate(const ListFormat& format, QObject* parent)
    : QStyledItemDelegate(parent), m_format(format) {}

void ColumnDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const int column = index.column();
    if (column >= 0 && column < m_format.size() && m_format.columns().at(column).icon) {
        // An icon column: the icon stands where the column's text would.
        option->decorationAlignment = option->displayAlignment;
        if (option->text.isEmpty()) {
            option->decorationPosition = QStyleOptionViewItem::Top;
        }
    }
}

void ColumnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const int column = index.column();
    const int indent = column >= 0 && column < m_indents.size() ? m_indents.at(column) : 0;
    if (indent == 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The row's background and highlight over the whole cell, the content indented.
    QStyleOptionViewItem panel(option);
    initStyleOption(&panel, index);
    const QWidget* widget = panel.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);
    QStyleOptionViewItem indented(option);
    if (m_format.columns().at(column).justify == ListColumn::Justify::Left) {
        indented.rect.adjust(indent, 0, 0, 0);
    } else if (m_format.columns().at(column).justify != ListColumn::Justify::Centre) {
        indented.rect.adjust(0, 0, -indent, 0);
    }
    QStyledItemDelegate::paint(painter, indented, index);
}

} // namespace velatask
