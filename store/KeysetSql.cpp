#include "store/KeysetSql.h"

#include "store/KeyText.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"

#include <algorithm>

namespace velatask {

namespace {

QString tuple(const QStringList& items) {
    return QLatin1Char('(') + items.join(QStringLiteral(", ")) + QLatin1Char(')');
}

} // namespace

int KeysetSql::componentCount() const {
    return m_key < 0 ? 0 : int(m_table.keys[m_key].columns.size());
}

int KeysetSql::column(int component) const {
    return m_table.keys[m_key].columns[component];
}

QString KeysetSql::name(int component) const {
    return m_table.columns[column(component)].name;
}

QString KeysetSql::mark(int component, const QVariant& value) const {
    if (!m_table.isText(column(component))) {
        return QStringLiteral("?");
    }
    return KeyText::holds(value) ? m_dialect.keyBytesMark() : m_dialect.textKeyMark();
}

QVariant KeysetSql::bound(int component, const QVariant& value) const {
    if (m_table.isText(column(component))) {
        return KeyText::bound(value);
    }
    // Text that another tool left in a number column compares as text.
    return KeyText::holds(value) ? QVariant(value.toString()) : value;
}

std::vector<int> KeysetSql::bytesComponents() const {
    std::vector<int> out;
    for (int i = 0; i < componentCount(); ++i) {
        if (m_table.isText(column(i)) && !bytesColumn(i).isEmpty()) {
            out.push_back(i);
        }
    }
    return out;
}

QString KeysetSql::bytesColumn(int component) const {
    return m_dialect.keyBytesColumn(name(component));
}

void KeysetSql::takeBytes(const QVariant& bytes, QVariant& component) {
    if (bytes.isNull()) {
        return;
    }
    const QByteArray stored = bytes.toByteArray();
    // Text that binds back to its own bytes stays plain text, as everyone else reads it.
    if (component.typeId() == QMetaType::QString) {
        const QString text = component.toString();
        if (!text.startsWith(QChar(0xFEFF)) && text.toUtf8() == stored) {
            return;
        }
    }
    component = KeyText::wrap(stored);
}

QString KeysetSql::compared(int component) const {
    return m_table.isText(column(component)) ? m_dialect.textKeyColumn(name(component))
                                             : name(component);
}

QString KeysetSql::position() const {
    return m_dialect.positionColumn();
}

QString KeysetSql::orderBy(int direction) const {
    const QLatin1String dir(direction > 0 ? "" : " DESC");
    QStringList terms;
    for (int i = 0; i < componentCount(); ++i) {
        terms << m_dialect.keyTerm(m_table, column(i)) + dir;
    }
    terms << position() + dir;
    return QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
}

void KeysetSql::present(SqlParts& parts) const {
    if (m_key >= 0) {
        parts.add(m_table.presentCondition(m_key));
    }
}

void KeysetSql::range(const QVariantList& values, SqlParts& parts) const {
    for (int i = 0; i < values.size() && i < componentCount(); ++i) {
        parts.add(compared(i) + QStringLiteral(" = ") + mark(i, values[i]), {bound(i, values[i])});
    }
}

void KeysetSql::beyond(const QVariantList& key, std::int64_t rowid, int direction, bool inclusive,
                       bool nullable, SqlParts& parts, int fixed) const {
    const int n = componentCount();
    const int skip = std::clamp(fixed, 0, n);
    bool hasNull = false;
    for (int i = skip; i < n && i < key.size(); ++i) {
        hasNull = hasNull || key[i].isNull();
    }
    if (!nullable && !hasNull) {
        // "(Category, Description, rowid) > (? COLLATE NOCASE, ? COLLATE NOCASE, ?)": the
        // collation sits on the bound side so that the engine seeks in the index.
        QStringList left;
        QStringList right;
        QVariantList binds;
        for (int i = skip; i < n; ++i) {
            left << compared(i);
            right << mark(i, key.value(i));
            binds << bound(i, key.value(i));
        }
        left << position();
        right << QStringLiteral("?");
        const char* op = direction > 0 ? (inclusive ? ">=" : ">") : (inclusive ? "<=" : "<");
        binds << qlonglong(rowid);
        const bool single = left.size() == 1;
        parts.add((single ? left.front() : tuple(left)) + QLatin1Char(' ') + QLatin1String(op) +
                      QLatin1Char(' ') + (single ? right.front() : tuple(right)),
                  binds);
        return;
    }
    // Lexicographic comparison spelled out, NULL sorting below every value.
    auto equal = [&](int i, QStringList& terms, QVariantList& binds) {
        if (i == n) {
            terms << position() + QStringLiteral(" = ?");
            binds << qlonglong(rowid);
        } else if (key[i].isNull()) {
            terms << name(i) + QStringLiteral(" IS NULL");
        } else {
            terms << compared(i) + QStringLiteral(" = ") + mark(i, key[i]);
            binds << bound(i, key[i]);
        }
    };
    auto beyondOne = [&](int i, QStringList& terms, QVariantList& binds) {
        const QString col = i == n ? position() : compared(i);
        const QVariant value = i == n ? QVariant(qlonglong(rowid)) : key[i];
        if (value.isNull()) {
            if (direction < 0) {
                return false;
            }
            terms << col + QStringLiteral(" IS NOT NULL");
        } else if (direction > 0) {
            terms << col + QStringLiteral(" > ") + (i == n ? QStringLiteral("?") : mark(i, value));
            binds << (i == n ? value : bound(i, value));
        } else {
            terms << QStringLiteral("(%1 < %2 OR %1 IS NULL)")
                         .arg(col, i == n ? QStringLiteral("?") : mark(i, value));
            binds << (i == n ? value : bound(i, value));
        }
        return true;
    };
    QStringList alternatives;
    QVariantList binds;
    for (int i = skip; i <= n; ++i) {
        QStringList terms;
        QVariantList termBinds;
        for (int j = skip; j < i; ++j) {
            equal(j, terms, termBinds);
        }
        if (beyondOne(i, terms, termBinds)) {
            alternatives << QLatin1Char('(') + terms.join(QStringLiteral(" AND ")) +
                                QLatin1Char(')');
            binds << termBinds;
        }
    }
    if (inclusive) {
        QStringList terms;
        for (int j = skip; j <= n; ++j) {
            equal(j, terms, binds);
        }
        alternatives << QLatin1Char('(') + terms.join(QStringLiteral(" AND ")) + QLatin1Char(')');
    }
    parts.add(alternatives.isEmpty()
                  ? QStringLiteral("(1 = 0)")
                  : QLatin1Char('(') + alternatives.join(QStringLiteral(" OR ")) + QLatin1Char(')'),
              binds);
}

void KeysetSql::fromValue(int first, const QVariantList& values, int direction,
                          SqlParts& parts) const {
    QStringList left;
    QStringList right;
    QVariantList binds;
    for (int i = 0; i < values.size() && first + i < componentCount(); ++i) {
        left << compared(first + i);
        right << mark(first + i, values[i]);
        binds << bound(first + i, values[i]);
    }
    if (left.isEmpty()) {
        return;
    }
    parts.add(tuple(left) + (direction > 0 ? QStringLiteral(" >= ") : QStringLiteral(" <= ")) +
                  tuple(right),
              binds);
}

} // namespace velatask
