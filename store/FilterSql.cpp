#include "store/FilterSql.h"

#include "store/FilterNode.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"
#include "store/TextFold.h"

namespace velatask {

namespace {

using Kind = Filter::Node::Kind;

const char* opText(Filter::Op op) {
    switch (op) {
    case Filter::Op::Equal:
        return " = ";
    case Filter::Op::NotEqual:
        return " <> ";
    case Filter::Op::Less:
        return " < ";
    case Filter::Op::LessOrEqual:
        return " <= ";
    case Filter::Op::Greater:
        return " > ";
    case Filter::Op::GreaterOrEqual:
        break;
    }
    return " >= ";
}

int foldMode(Filter::Fold fold) {
    switch (fold) {
    case Filter::Fold::None:
        return 0;
    case Filter::Fold::Capitals:
        return TextFold::Capitals;
    case Filter::Fold::CapitalsNoLeadingBlanks:
        break;
    }
    return TextFold::Capitals | TextFold::NoLeadingBlanks;
}

} // namespace

int FilterSql::render(const Filter& filter, SqlParts& parts, StoreError& error) {
    error.clear();
    m_columns.clear();
    m_readsTags = false;
    m_unknown.clear();
    if (filter.isEmpty()) {
        return 0;
    }
    QVariantList binds;
    const QString sql = node(filter, binds);
    if (!m_unknown.isEmpty()) {
        error.code = StoreCode::DriverError;
        error.driverCode = 1;
        error.driverText = QStringLiteral("no such field: ") + m_unknown;
        return error.code;
    }
    parts.add(sql, binds);
    return 0;
}

QString FilterSql::field(const QString& name) {
    const int c = m_table.columnOf(name);
    if (c < 0) {
        if (m_unknown.isEmpty()) {
            m_unknown = name;
        }
        return QStringLiteral("NULL");
    }
    m_columns.insert(c);
    return m_table.columns[size_t(c)].name;
}

QString FilterSql::textValue(const QVariant& value, int mode) const {
    return TextFold::apply(value.toString(), mode);
}

QString FilterSql::node(const Filter& filter, QVariantList& binds) {
    const Filter::Node* n = filter.node();
    if (!n) {
        return QStringLiteral("(1 = 1)");
    }
    switch (n->kind) {
    case Kind::And:
    case Kind::Or: {
        const QString left = node(n->left, binds);
        const QString right = node(n->right, binds);
        return QStringLiteral("(%1 %2 %3)")
            .arg(left, n->kind == Kind::And ? QStringLiteral("AND") : QStringLiteral("OR"), right);
    }
    case Kind::Not:
        return QStringLiteral("NOT (%1)").arg(node(n->left, binds));
    case Kind::Tagged: {
        if (!m_readsTags) {
            m_tagUser = n->user;
            m_tagSet = n->set;
        }
        m_readsTags = true;
        if (n->set == 0) {
            return QStringLiteral("(1 = 0)");
        }
        binds << n->user << n->set;
        const QString present = TableDef::tagFile_().presentCondition(0);
        if (m_tags == Tags::Drive) {
            return QStringLiteral("%3 IN (SELECT Ptr FROM %1.TagFile_ WHERE Usr = ? AND "
                                  "Tbl = ? AND %2)")
                .arg(QLatin1String(kTagSchema), present, m_dialect.positionColumn());
        }
        return QStringLiteral("EXISTS (SELECT 1 FROM %1.TagFile_ WHERE Usr = ? AND Tbl = ? AND "
                              "Ptr = %2.%4 AND %3)")
            .arg(QLatin1String(kTagSchema), m_table.table, present, m_dialect.positionColumn());
    }
    case Kind::Compare:
    case Kind::Between:
    case Kind::Text:
    case Kind::DatePart:
        break;
    }
    const int c = m_table.columnOf(n->field);
    const QString name = field(n->field);
    if (c < 0) {
        return name;
    }
    const bool text = m_table.isText(c);
    const int mode = foldMode(n->fold);
    if (n->kind == Kind::DatePart) {
        binds << n->value.toInt();
        return QStringLiteral("velatask_datepart(%1, %2) = ?").arg(name).arg(int(n->part));
    }
    if (n->kind == Kind::Text) {
        const QString needle = textValue(n->value, mode);
        if (needle.isEmpty()) {
            return QStringLiteral("(1 = 1)");
        }
        binds << needle;
        return QStringLiteral("velatask_match(%1, ?, %2, %3) = 1")
            .arg(text ? name : QStringLiteral("CAST(%1 AS TEXT)").arg(name))
            .arg(int(n->text))
            .arg(mode);
    }
    // Text folded as asked (as stored when not asked, so that an index can serve); numbers as
    // numbers.
    const QString subject =
        text && mode != 0 ? QStringLiteral("velatask_fold(%1, %2)").arg(name).arg(mode) : name;
    auto bound = [&](const QVariant& v) {
        binds << (text ? QVariant(textValue(v, mode)) : QVariant(v.toLongLong()));
    };
    bound(n->value);
    if (n->kind == Kind::Between) {
        bound(n->high);
        return QStringLiteral("(%1 >= ? AND %1 <= ?)").arg(subject);
    }
    return subject + QLatin1String(opText(n->op)) + QLatin1Char('?');
}

} // namespace velatask
