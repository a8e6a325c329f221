#include "store/TaskRows.h"

#include "store/Connection.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"

namespace velatask::TaskRows {

int eraseSteps(Connection& connection, const std::vector<std::int64_t>& taskPositions,
               StoreError& error) {
    const SqlDialect& d = connection.dialect();
    const int code = connection.exec(
        QStringLiteral("DELETE FROM Scripting WHERE ID IN (SELECT ID FROM Schedule WHERE %1%2) "
                       "AND %3")
            .arg(d.positionColumn(), d.inPositions(), TableDef::scripting().presentCondition(0)),
        {d.positionList(taskPositions)}, error);
    if (code == 0) {
        connection.noteWrite();
    }
    return code;
}

int eraseSteps(Connection& connection, std::int64_t taskPosition, StoreError& error) {
    return eraseSteps(connection, std::vector<std::int64_t>{taskPosition}, error);
}

} // namespace velatask::TaskRows
