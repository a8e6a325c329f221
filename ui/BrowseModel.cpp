#include "ui/BrowseModel.h"

#include "core/Date.h"
#include "resources/Resources.h"
#include "ui/BrowsePager.h"

namespace velatask {
namespace {

constexpr std::int64_t kLastTime = 8640000;

Qt::Alignment alignmentOf(ListColumn::Justify j) {
    switch (j) {
    case ListColumn::Justify::Right:
    case ListColumn::Justify::Decimal:
        return Qt::AlignRight | Qt::AlignVCenter;
    case ListColumn::Justify::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case ListColumn::Justify::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

bool isWhole(const QVariant& v) {
    bool ok = false;
    v.toLongLong(&ok);
    return ok;
}

} // namespace

BrowseModel::BrowseModel(const BrowsePager& pager, ListFormat format, QObject* parent)
    : QAbstractTableModel(parent), m_pager(pager), m_format(std::move(format)) {
    for (const ListColumn& c : m_format.columns()) {
        m_pictures.append(Picture(c.picture));
    }
    m_valueColumns.fill(-1, m_format.size());
}

void BrowseModel::setColumnWidth(int column, int dialogUnits) {
    if (column >= 0 && column < m_format.size()) {
        m_format.columns()[column].width = dialogUnits;
    }
}

void BrowseModel::setValueColumns(QVector<int> indexes) {
    indexes.resize(m_format.size(), -1);
    m_valueColumns = std::move(indexes);
}

void BrowseModel::setIcons(const QStringList& names, const QStringList& spoken,
                           std::function<int(const Values&)> iconOf) {
    m_icons.clear();
    for (const QString& name : names) {
        m_icons.append(resourceIcon(name));
    }
    m_spoken = spoken;
    m_iconOf = std::move(iconOf);
}

void BrowseModel::setTextColour(std::function<QColor(const Values&, int)> colourOf) {
    m_colourOf = std::move(colourOf);
}

void BrowseModel::rowsChanged() {
    beginResetModel();
    endResetModel();
}

QString BrowseModel::cellText(int column, const QVariant& value) const {
    const Picture& picture = m_pictures.at(column);
    switch (picture.kind()) {
    case Picture::Kind::Text:
        return picture.formatText(value.toString());
    case Picture::Kind::Date: {
        const std::int64_t date = value.toLongLong();
        const bool shown = isWhole(value) && date >= Date::fromYmd(Date::kFirstYear, 1, 1) &&
                           date <= Date::fromYmd(Date::kLastYear, 12, 31);
        return shown ? picture.format(date) : QString();
    }
    case Picture::Kind::Time: {
        const std::int64_t time = value.toLongLong();
        return isWhole(value) && time > 0 && time <= kLastTime ? picture.format(time) : QString();
    }
    case Picture::Kind::Number:
        return isWhole(value) ? picture.format(value.toLongLong()) : QString();
    case Picture::Kind::Decimal:
        return picture.formatDecimal(value.toDouble());
    case Picture::Kind::Invalid:
        break;
    }
    return QString();
}

int BrowseModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_pager.rows().size());
}

int BrowseModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_format.size();
}

QVariant BrowseModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_pager.rows().size())) {
        return QVariant();
    }
    const int column = index.column();
    const ListColumn& format = m_format.columns().at(column);
    const Values& values = m_pager.rows()[std::size_t(index.row())].values;
    switch (role) {
    case Qt::DisplayRole: {
        const int v = m_valueColumns.at(column);
        return v >= 0 && v < values.size() ? cellText(column, values.at(v)) : QString();
    }
    case Qt::DecorationRole:
    case Qt::AccessibleTextRole: {
        // An icon cell has no text of its own: a screen reader says what the icon means.
        const int icon = format.icon && m_iconOf ? m_iconOf(values) : 0;
        if (icon < 1 || icon > m_icons.size()) {
            return QVariant();
        }
        return role == Qt::DecorationRole ? QVariant(m_icons.at(icon - 1))
                                          : QVariant(m_spoken.value(icon - 1));
    }
    case Qt::ForegroundRole:
        if (format.colours && m_colourOf) {
            const QColor colour = m_colourOf(values, column);
            if (colour.isValid()) {
                return colour;
            }
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        return int(alignmentOf(format.justify));
    default:
        return QVariant();
    }
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_format.size()) {
        return QVariant();
    }
    const ListColumn& c = m_format.columns().at(section);
    if (role == Qt::DisplayRole) {
        return c.header;
    }
    if (role == Qt::TextAlignmentRole) {
        return int(alignmentOf(c.headerJustify.value_or(c.justify)));
    }
    return QVariant();
}

} // namespace velatask
