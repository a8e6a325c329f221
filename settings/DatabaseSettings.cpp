#include "settings/DatabaseSettings.h"

#include "settings/IniFile.h"

namespace velatask {

DatabaseSettings DatabaseSettings::load(const IniFile& ini) {
    const QString section = QStringLiteral("Database");
    const auto value = [&](const char* key) {
        return ini.read(section, QLatin1String(key)).trimmed();
    };

    DatabaseSettings s;
    const QString driver = value("Driver");
    if (driver.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0) {
        s.driver = Driver::PostgreSQL;
    } else if (!driver.isEmpty() &&
               driver.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) != 0) {
        s.problem = QStringLiteral("Unknown database driver \"%1\" in section [Database] of %2. "
                                   "Use SQLite or PostgreSQL.")
                        .arg(driver, ini.path());
        return s;
    }
    if (s.driver == Driver::SQLite) {
        return s;
    }

    s.host = value("Host");
    s.name = value("Name");
    s.user = value("User");
    const QString port = value("Port");
    if (!port.isEmpty()) {
        bool ok = false;
        s.port = port.toInt(&ok);
        if (!ok || s.port < 1 || s.port > 65535) {
            s.port = 0;
            s.problem = QStringLiteral("The database port \"%1\" in section [Database] of %2 is "
                                       "not a number from 1 to 65535.")
                            .arg(port, ini.path());
        }
    }
    return s;
}

} // namespace velatask
