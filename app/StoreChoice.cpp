#include "app/StoreChoice.h"

#include "core/Ui.h"
#include "settings/DatabaseSettings.h"
#include "settings/IniFile.h"
#include "store/Connection.h"
#include "store/Store.h"

namespace velatask {

StoreChoice StoreChoice::read(const IniFile& ini) {
    StoreChoice choice;
    const DatabaseSettings settings = DatabaseSettings::load(ini);
    if (!settings.problem.isEmpty()) {
        choice.m_problem = settings.problem;
        return choice;
    }
    if (settings.driver != DatabaseSettings::Driver::PostgreSQL) {
        return choice;
    }
    choice.m_onServer = true;
    choice.m_server = ServerAddress{settings.host, settings.port, settings.name, settings.user};
    if (const QString why = tryServer(choice.m_server); !why.isEmpty()) {
        choice.m_problem =
            QStringLiteral("Velatask cannot use the database server that section [Database] of "
                           "%1 names (%2):\n\n%3\n\nThe schedule is not opened from the local "
                           "file instead. Start the server or mend the section, then start "
                           "Velatask again. Passwords belong in ~/.pgpass or PGPASSWORD.")
                .arg(ini.path(), describe(choice.m_server), why);
    }
    return choice;
}

QString StoreChoice::tryServer(const ServerAddress& server) {
    Connection connection(std::make_unique<PostgresDialect>(server), QStringLiteral("server"));
    StoreError error;
    if (connection.open(false, error) == 0) {
        return QString();
    }
    return error.driverText.isEmpty() ? storeErrorText(error.code) : error.driverText;
}

QString StoreChoice::describe(const ServerAddress& server) {
    const auto orDefault = [](const QString& value) {
        return value.isEmpty() ? QStringLiteral("(default)") : value;
    };
    QString where = orDefault(server.host);
    if (server.port > 0) {
        where += QLatin1Char(':') + QString::number(server.port);
    }
    return QStringLiteral("database %1 as %2 on %3")
        .arg(orDefault(server.name), orDefault(server.user), where);
}

void StoreChoice::report(Ui& ui) const {
    MessageBoxSpec box;
    box.title = QStringLiteral("Velatask");
    box.text = m_problem;
    box.icon = Ui::Exclamation;
    box.buttons = Ui::Ok;
    box.defaultButton = Ui::Ok;
    ui.messageBox(box);
}

std::unique_ptr<Store> StoreChoice::makeStore(const QString& dataDirectory, Ui& ui) const {
    return m_onServer ? std::make_unique<Store>(dataDirectory, m_server, ui)
                      : std::make_unique<Store>(dataDirectory, ui);
}

} // namespace velatask
