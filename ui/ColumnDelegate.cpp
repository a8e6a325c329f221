#include "ui/ColumnDelegate.h"

#include <QApplication>
#include <QColor>
#include <QStyle>

namespace velatask {

ColumnDelegate::ColumnDelegate(const ListFormat& format, QObject* parent)
    : QStyledItemDelegate(parent), m_format(format) {
    for (const ListColumn& c : format.columns()) {
        m_colouredRows = m_colouredRows || c.colours;
    }
}

void ColumnDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_colouredRows && option->state.testFlag(QStyle::State_Selected)) {
        // The highlighted row keeps its text colours, so it is highlighted in a pale shade of
        // the highlight on which they can still be read.
        QPalette& p = option->palette;
        const QColor strong = p.color(QPalette::Highlight);
        const QColor base = p.color(QPalette::Base);
        constexpr double kShare = 0.35;
        p.setColor(QPalette::Highlight,
                   QColor::fromRgbF(base.redF() + (strong.redF() - base.redF()) * kShare,
                                    base.greenF() + (strong.greenF() - base.greenF()) * kShare,
                                    base.blueF() + (strong.blueF() - base.blueF()) * kShare));
        const QVariant colour = index.data(Qt::ForegroundRole);
        p.setColor(QPalette::HighlightedText,
                   colour.canConvert<QColor>() ? colour.value<QColor>() : p.color(QPalette::Text));
    }
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
