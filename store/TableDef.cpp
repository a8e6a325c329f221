#include "store/TableDef.h"

#include <QStringList>

namespace velatask {

namespace {

ColumnDef text(const char* name, int width) {
    return {QString::fromLatin1(name), ColumnType::Text, width};
}
ColumnDef longCol(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Long, 0};
}
ColumnDef flag(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Flag, 0};
}

int indexOf(const std::vector<ColumnDef>& columns, const char* name) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name == QLatin1String(name)) {
            return int(i);
        }
    }
    return -1;
}

KeyDef key(const std::vector<ColumnDef>& columns, const char* name,
           std::initializer_list<const char*> parts, bool unique, bool excludeEmpty = true) {
    KeyDef k;
    k.name = QString::fromLatin1(name);
    for (const char* p : parts) {
        k.columns.push_back(indexOf(columns, p));
    }
    k.unique = unique;
    k.excludeEmpty = excludeEmpty;
    return k;
}

std::vector<ColumnDef> scheduleColumns(bool withAdvanceWarned) {
    std::vector<ColumnDef> c = {
        longCol("ID"),
        text("TaskType", 20),
        text("Category", 20),
        text("Description", 40),
        text("Command", 80),
        text("Path", 80),
        text("ScheduleType", 20),
        flag("Sunday"),
        flag("Monday"),
        flag("Tuesday"),
        flag("Wednesday"),
        flag("Thursday"),
        flag("Friday"),
        flag("Saturday"),
        longCol("Every"),
        flag("Every1st"),
        flag("Every2nd"),
        flag("Every3rd"),
        flag("Every4th"),
        flag("EveryLast"),
        text("EveryType", 20),
        longCol("Date"),
        longCol("Time"),
        longCol("LastRunDate"),
        longCol("LastRunTime"),
        flag("SkipNextTime"),
        flag("Alarm"),
        text("AlarmFile", 80),
        longCol("AdvanceWarnDate"),
        longCol("AdvanceWarnTime"),
    };
    if (withAdvanceWarned) {
        c.push_back({QStringLiteral("AdvanceWarned"), ColumnType::Byte, 0});
    }
    for (const char* name : {"Warn", "UserSkip", "Disabled", "Completed"}) {
        c.push_back(flag(name));
    }
    c.push_back(text("Message", 1000));
    c.back().memo = true;
    return c;
}

void addScheduleKeys(TableDef& t, bool all) {
    const auto& c = t.columns;
    t.keys.push_back(key(c, "KeyID", {"ID"}, true));
    t.keys.push_back(key(c, "KeyDate", {"Date", "Time"}, false));
    t.keys.push_back(key(c, "KeyCategory", {"Category", "Description"}, false));
    t.keys.push_back(key(c, "KeyCategoryDate", {"Category", "Date", "Time"}, false));
    t.keys.push_back(key(c, "KeyTaskName", {"Description", "Category"}, false));
    t.keys.push_back(key(c, "KeyTaskType", {"TaskType", "Description"}, false));
    t.keys.push_back(key(c, "KeyTaskDate", {"TaskType", "Date", "Time"}, false));
    if (all) {
        t.keys.push_back(key(c, "KeyDateEnabled", {"Disabled", "Date", "Time"}, false));
        t.keys.push_back(
            key(c, "KeyAdvanced", {"AdvanceWarned", "AdvanceWarnDate", "AdvanceWarnTime"}, false));
    }
}

TableDef makeSchedule() {
    TableDef t;
    t.table = QStringLiteral("Schedule");
    t.prefix = QStringLiteral("SCH");
    t.columns = scheduleColumns(true);
    addScheduleKeys(t, true);
    return t;
}

TableDef makeHistory() {
    TableDef t;
    t.table = QStringLiteral("History");
    t.prefix = QStringLiteral("HIS");
    t.columns = scheduleColumns(false);
    addScheduleKeys(t, false);
    return t;
}

TableDef makeCategories() {
    TableDef t;
    t.table = QStringLiteral("Categories");
    t.prefix = QStringLiteral("CAT");
    t.columns = {text("Category", 20)};
    t.keys.push_back(key(t.columns, "KeyCategory", {"Category"}, true));
    return t;
}

TableDef makeToDo() {
    TableDef t;
    t.table = QStringLiteral("ToDo");
    t.prefix = QStringLiteral("TDO");
    t.columns = {flag("Done"), {QStringLiteral("Priority"), ColumnType::Byte, 0}, text("ToDo", 40)};
    t.keys.push_back(key(t.columns, "KeyDone", {"Done", "Priority", "ToDo"}, false, false));
    t.keys.push_back(key(t.columns, "KeyPriority", {"Priority", "Done", "ToDo"}, false, false));
    t.keys.push_back(key(t.columns, "KeyToDo", {"ToDo"}, false, false));
    return t;
}

TableDef makeScripting() {
    TableDef t;
    t.table = QStringLiteral("Scripting");
    t.prefix = QStringLiteral("SCR");
    t.columns = {longCol("ID"),
                 longCol("Sequence"),
                 text("Action", 27),
                 text("Keystrokes", 80),
                 longCol("SecondsToWait"),
                 text("WaitForWindow", 80),
                 text("FocusOnWindow", 80),
                 text("DDEType", 20),
                 text("DDEApplicationName", 80),
                 text("DDEApplicationTopic", 80),
                 text("DDELinkItem", 80),
                 text("DDECommand", 80)};
    t.keys.push_back(key(t.columns, "KeyID", {"ID", "Sequence"}, true));
    return t;
}

TableDef makeTagFile() {
    TableDef t;
    t.table = QStringLiteral("TagFile_");
    t.prefix = QStringLiteral("TF_");
    t.tagFile = true;
    t.columns = {longCol("Usr"),
                 {QStringLiteral("Tbl"), ColumnType::Short, 0},
                 longCol("Ptr"),
                 text("Val", 10)};
    t.keys.push_back(key(t.columns, "PtrKey", {"Usr", "Tbl", "Ptr"}, true));
    t.keys.push_back(key(t.columns, "ValKey", {"Usr", "Tbl", "Val"}, false));
    return t;
}

} // namespace

QString TableDef::storeName() const {
    if (tagFile) {
        return QStringLiteral("TagFile_.VDB");
    }
    return QStringLiteral("SM\\!") + table;
}

QString TableDef::createTableSql() const {
    QStringList parts;
    for (const ColumnDef& c : columns) {
        if (c.type == ColumnType::Text) {
            parts << c.name + QStringLiteral(" TEXT NOT NULL DEFAULT ''");
        } else {
            parts << c.name + QStringLiteral(" INTEGER NOT NULL DEFAULT 0");
        }
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table, parts.join(QStringLiteral(", ")));
}

int TableDef::columnOf(const QString& field) const {
    QString name = field;
    const int colon = field.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString fieldPrefix = field.left(colon);
        // SCH1 is the scheduler's name for the Schedule table.
        const bool ours = fieldPrefix.compare(prefix, Qt::CaseInsensitive) == 0 ||
                          (prefix == QLatin1String("SCH") &&
                           fieldPrefix.compare(QLatin1String("SCH1"), Qt::CaseInsensitive) == 0);
        if (!ours) {
            return -1;
        }
        name = field.mid(colon + 1);
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return int(i);
        }
    }
    return -1;
}

const QString& TableDef::insertSql() const {
    if (!insertText.isEmpty()) {
        return insertText;
    }
    QStringList names;
    QStringList marks;
    for (const ColumnDef& c : columns) {
        names << c.name;
        marks << QStringLiteral("?");
    }
    insertText =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    return insertText;
}

QString TableDef::orderTerm(int column) const {
    if (isText(column)) {
        return columns[column].name + QStringLiteral(" COLLATE NOCASE");
    }
    return columns[column].name;
}

QString TableDef::presentCondition(int k) const {
    const KeyDef& kd = keys[k];
    if (!kd.excludeEmpty) {
        return QString();
    }
    QStringList terms;
    for (int c : kd.columns) {
        terms << columns[c].name + (isText(c) ? QStringLiteral(" <> ''") : QStringLiteral(" <> 0"));
    }
    return QLatin1Char('(') + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

QString TableDef::createIndexSql(int k) const {
    const KeyDef& kd = keys[k];
    QStringList terms;
    for (int c : kd.columns) {
        terms << orderTerm(c);
    }
    QString sql = QStringLiteral("CREATE %1INDEX \"%2\" ON %3 (%4)")
                      .arg(kd.unique ? QStringLiteral("UNIQUE ") : QString(), indexName(k), table,
                           terms.join(QStringLiteral(", ")));
    const QString cond = presentCondition(k);
    if (!cond.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + cond;
    }
    return sql;
}

const TableDef& TableDef::schedule() {
    static const TableDef t = makeSchedule();
    return t;
}
const TableDef& TableDef::history() {
    static const TableDef t = makeHistory();
    return t;
}
const TableDef& TableDef::categories() {
    static const TableDef t = makeCategories();
    return t;
}
const TableDef& TableDef::toDo() {
    static const TableDef t = makeToDo();
    return t;
}
const TableDef& TableDef::scripting() {
    static const TableDef t = makeScripting();
    return t;
}
const TableDef& TableDef::tagFile_() {
    static const TableDef t = makeTagFile();
    return t;
}

} // namespace velatask
