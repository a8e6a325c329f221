#include "windows/CsvFieldList.h"

#include "ui/DialogUnits.h"
#include "ui/ListFormat.h"

#include <QDropEvent>
#include <QHeaderView>

namespace velatask {

CsvFieldList::CsvFieldList(const QString& format, QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    const std::optional<ListFormat> columns = ListFormat::parse(format);
    const DialogUnits units(fontMetrics());
    QStringList headers;
    int width = 0;
    if (columns) {
        for (const ListColumn& c : columns->columns()) {
            headers << c.header;
        }
        setHeaderLabels(headers);
        for (int i = 0; i < columns->size(); ++i) {
            const ListColumn& c = columns->columns()[i];
            const int px = units.toPixelsX(c.width);
            width += px;
            // The last column takes what room is left.
            if (i + 1 < columns->size()) {
                setColumnWidth(i, px);
            }
            if (c.headerJustify == ListColumn::Justify::Centre ||
                c.justify == ListColumn::Justify::Centre) {
                headerItem()->setTextAlignment(i, Qt::AlignHCenter);
            }
        }
    }
    header()->setStretchLastSection(true);
    setMinimumWidth(qMin(width, units.toPixelsX(200)) + frameWidth() * 2);
}

void CsvFieldList::setRows(const QList<QStringList>& rows, int current) {
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& texts : rows) {
        auto* item = new QTreeWidgetItem(texts);
        for (int c = 0; c < columnCount(); ++c) {
            item->setTextAlignment(c, Qt::Alignment(headerItem()->textAlignment(c)));
        }
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled |
                       (m_partner ? Qt::ItemIsDragEnabled : Qt::NoItemFlags));
        items << item;
    }
    addTopLevelItems(items);
    setCurrentRow(qMin(current, int(rows.size()) - 1));
}

int CsvFieldList::currentRow() const {
    return currentItem() ? indexOfTopLevelItem(currentItem()) : -1;
}

void CsvFieldList::setCurrentRow(int row) {
    if (row >= 0 && row < topLevelItemCount()) {
        setCurrentItem(topLevelItem(row));
    }
}

void CsvFieldList::setDragPartner(CsvFieldList* partner) {
    m_partner = partner;
    setDragEnabled(partner != nullptr);
    setAcceptDrops(partner != nullptr);
    setDropIndicatorShown(true);
    setDragDropMode(partner ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
}

bool CsvFieldList::acceptsFrom(const QObject* source) const {
    return m_partner && source == m_partner;
}

void CsvFieldList::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptsFrom(event->source())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CsvFieldList::dragMoveEvent(QDragMoveEvent* event) {
    if (acceptsFrom(event->source())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CsvFieldList::dropEvent(QDropEvent* event) {
    if (!acceptsFrom(event->source())) {
        event->ignore();
        return;
    }
    const int row = m_partner->currentRow();
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const int at = target ? indexOfTopLevelItem(target) : -1;
    // The lists are rebuilt from the window's model; nothing is moved here.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (row >= 0) {
        emit dropped(m_partner, row, at);
    }
}

} // namespace velatask
