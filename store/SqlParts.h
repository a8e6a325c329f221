#pragma once

#include <QStringList>
#include <QVariantList>

namespace velatask {

// Conditions of a WHERE clause and the values bound to their placeholders, in order.
struct SqlParts {
    QStringList where;
    QVariantList binds;

    void add(const QString& condition, const QVariantList& values = {}) {
        if (!condition.isEmpty()) {
            where << condition;
            binds << values;
        }
    }
    QString whereClause() const {
        return where.isEmpty() ? QString()
                               : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    }
};

} // namespace velatask
