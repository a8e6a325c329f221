#include "store/TaskRows.h"

#include "store/Connection.h"
#include "store/TableDef.h"

namespace velatask::TaskRows {

int eraseSteps(Connection& connection, std::int64_t taskPosition, StoreError& error) {
    // The key's own condition lets the engine find the steps through "SCR:KeyID".
    const int code = connection.exec(
        QStringLiteral("DELETE FROM Scripting WHERE ID = (SELECT ID FROM Schedule WHERE rowid = ?) "
                       "AND %1")
            .arg(TableDef::scripting().presentCondition(0)),
        {qlonglong(taskPosition)}, error);
    if (code == 0) {
        connection.noteWrite();
    }
    return code;
}

} // namespace velatask::TaskRows
