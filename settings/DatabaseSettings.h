#pragma once

#include <QString>

namespace velatask {

class IniFile;

// Where the store lives, from section "Database": the SQLite file in the data directory (no
// section, or Driver=SQLite) or a PostgreSQL server. Passwords are never read from here: the
// server's client library takes them from its own password file or environment.
struct DatabaseSettings {
    enum class Driver { SQLite, PostgreSQL };

    Driver driver = Driver::SQLite;
    QString host; // a host name, or a Unix socket folder when it starts with '/'
    int port = 0; // 0: the client library's default
    QString name; // the database; empty: the client library's default
    QString user; // empty: the client library's default
    // Why the section cannot be used (an unknown driver, a port that is not a port); empty when
    // it can. A section that cannot be used must stop the program rather than quietly open the
    // local file, which would split a station off the team's schedule.
    QString problem;

    static DatabaseSettings load(const IniFile& ini);

    bool operator==(const DatabaseSettings&) const = default;
};

} // namespace velatask
