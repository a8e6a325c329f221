#include "app/CopyToServer.h"

#include "app/StoreChoice.h"
#include "settings/DatabaseSettings.h"
#include "settings/IniFile.h"
#include "store/Connection.h"
#include "store/ServerCopy.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace velatask {

int CopyToServer::run(const QString& dataDirectory, const IniFile& ini, QTextStream& out,
                      QTextStream& err) {
    const auto refuse = [&err](const QString& why) {
        err << "velatask: " << why << '\n';
        err.flush();
        return 1;
    };
    const DatabaseSettings settings = DatabaseSettings::load(ini);
    if (!settings.problem.isEmpty()) {
        return refuse(settings.problem);
    }
    if (settings.driver != DatabaseSettings::Driver::PostgreSQL) {
        return refuse(QStringLiteral("section [Database] of %1 names no server to copy to: set "
                                     "Driver=PostgreSQL with Host, Port, Name and User there")
                          .arg(ini.path()));
    }
    const QDir folder(dataDirectory);
    const QString dataFile = folder.filePath(QStringLiteral("SM"));
    if (!QFileInfo::exists(dataFile)) {
        return refuse(QStringLiteral("there is no data file %1 to copy").arg(dataFile));
    }
    const ServerAddress address{settings.host, settings.port, settings.name, settings.user};
    Connection data(dataFile);
    Connection tags(folder.filePath(QStringLiteral("TagFile_.VDB")));
    Connection server(std::make_unique<PostgresDialect>(address), QStringLiteral("server"));
    StoreError error;
    if (server.open(true, error) != 0) {
        return refuse(QStringLiteral("cannot reach the server (%1): %2")
                          .arg(StoreChoice::describe(address), error.driverText));
    }
    ServerCopy copy(data, tags, server);
    if (copy.run(error) != 0) {
        return refuse(QStringLiteral("nothing was copied to %1: %2")
                          .arg(StoreChoice::describe(address),
                               error.driverText.isEmpty() ? error.text : error.driverText));
    }
    out << "Copied " << dataFile << " to " << StoreChoice::describe(address) << ":\n";
    for (const auto& [table, rows] : copy.copiedPerTable()) {
        out << "  " << table << ": " << rows << (rows == 1 ? " record\n" : " records\n");
    }
    out << "  in all: " << copy.copied() << (copy.copied() == 1 ? " record\n" : " records\n");
    out.flush();
    return 0;
}

} // namespace velatask
