#include "windows/CsvFieldList.h"

#include "ui/DialogUnits.h"
#include "ui/ListFormat.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace velatask {

CsvFieldList::CsvFieldList(const QString& format, QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    const std::optional<ListFormat> columns = ListFormat::parse(format);
    const DialogUnits units(fontMetrics());
    if (columns) {
        QStringList headers;
        for (const ListColumn& c : columns->columns()) {
            headers << c.header;
            m_widths << units.toPixelsX(c.width);
        }
        setHeaderLabels(headers);
        for (int i = 0; i < columns->size(); ++i) {
            const ListColumn& c = columns->columns()[i];
            if (c.headerJustify == ListColumn::Justify::Centre ||
                c.justify == ListColumn::Justify::Centre) {
                headerItem()->setTextAlignment(i, Qt::AlignHCenter);
            }
        }
    }
    header()->setStretchLastSection(true);
    fitColumns();
}

// Each column is as wide as its format says, or as its heading and texts need; the last one
// takes the rest. The list is never narrower than its columns, so no text is cut.
void CsvFieldList::fitColumns() {
    int total = 0;
    for (int i = 0; i < m_widths.size(); ++i) {
        const bool last = i + 1 == m_widths.size();
        const int need =
            last ? m_widths[i]
                 : std::max({m_widths[i], sizeHintForColumn(i), header()->sectionSizeHint(i)});
        if (!last) {
            setColumnWidth(i, need);
        }
        total += need;
    }
    setMinimumWidth(total + frameWidth() * 2 + verticalScrollBar()->sizeHint().width());
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
    fitColumns();
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
