#pragma once

#include <QTreeWidget>

namespace velatask {

// A list of fields in the export and import windows: columns from a list format string, one
// row selected at a time, and rows that can be dragged to another such list. The window decides
// what a drop does (dropped), so its own model stays the one place that holds the fields.
class CsvFieldList : public QTreeWidget {
    Q_OBJECT
public:
    CsvFieldList(const QString& format, QWidget* parent = nullptr);

    // Replaces the rows; each row holds one text per column. Keeps `current` highlighted.
    void setRows(const QList<QStringList>& rows, int current);
    int currentRow() const;
    void setCurrentRow(int row);

    // Whether rows may be dragged out of and dropped onto this list.
    void setDragPartner(CsvFieldList* partner);

signals:
    // A row of `from` was dropped here in front of row `at` (-1: after the last).
    void dropped(CsvFieldList* from, int row, int at);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool acceptsFrom(const QObject* source) const;
    void fitColumns();

    CsvFieldList* m_partner = nullptr;
    QList<int> m_widths; // of the columns, in pixels, as the format gives them
};

} // namespace velatask
