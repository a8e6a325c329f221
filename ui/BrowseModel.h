#pragma once

#include "core/Picture.h"
#include "ui/ListFormat.h"
#include "ui/PageSource.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QVector>

#include <functional>

namespace velatask {

class BrowsePager;

// The rows on screen of a page-loaded browse as Qt's views see them: one column per column of
// the list format, texts through the column's picture, the icon of the row in icon columns and
// its text colour in colour columns. Values that cannot be shown (a date out of range, a text
// longer than its field) are shown blank or cut, never trusted.
class BrowseModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Values = QVariantList;

    BrowseModel(const BrowsePager& pager, ListFormat format, QObject* parent = nullptr);

    const ListFormat& format() const { return m_format; }
    void setColumnWidth(int column, int dialogUnits);

    // Which of the row's values each format column shows (-1: none).
    void setValueColumns(QVector<int> indexes);
    // The icon table by resource name, with what a screen reader says for each;
    // `iconOf` answers 1 for the first, 0 for none.
    void setIcons(const QStringList& names, const QStringList& spoken,
                  std::function<int(const Values&)> iconOf);
    // Text colours of colour columns; an invalid colour keeps the default.
    void setTextColour(std::function<QColor(const Values&, int column)> colourOf);

    // The pager's rows changed.
    void rowsChanged();

    // The text a column shows for a value.
    QString cellText(int column, const QVariant& value) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const BrowsePager& m_pager;
    ListFormat m_format;
    QVector<Picture> m_pictures;
    QVector<int> m_valueColumns;
    QVector<QIcon> m_icons;
    QStringList m_spoken;
    std::function<int(const Values&)> m_iconOf;
    std::function<QColor(const Values&, int)> m_colourOf;
};

} // namespace velatask
