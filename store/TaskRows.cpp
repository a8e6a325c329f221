#include "store/TaskRows.h"

#include "store/Connection.h"
#include "store/TableDef.h"

namespace velatask::TaskRows {

QString positionList(const std::vector<std::int64_t>& positions) {
    QString out;
    out.reserve(qsizetype(positions.size()) * 8 + 2);
    out += QLatin1Char('[');
    for (size_t i = 0; i < positions.size(); ++i) {
        if (i > 0) {
            out += QLatin1Char(',');
        }
        out += QString::number(positions[i]);
    }
    out += QLatin1Char(']');
    return out;
}

int eraseSteps(Connection& connection, const std::vector<std::int64_t>& taskPositions,
               StoreError& error) {
    const int code = connection.exec(
        QStringLiteral("DELETE FROM Scripting WHERE ID IN (SELECT ID FROM Schedule WHERE rowid IN "
                       "(SELECT value FROM json_each(?))) AND %1")
            .arg(TableDef::scripting().presentCondition(0)),
        {positionList(taskPositions)}, error);
    if (code == 0) {
        connection.noteWrite();
    }
    return code;
}

int eraseSteps(Connection& connection, std::int64_t taskPosition, StoreError& error) {
    return eraseSteps(connection, std::vector<std::int64_t>{taskPosition}, error);
}

} // namespace velatask::TaskRows
