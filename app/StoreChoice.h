#pragma once

#include "store/SqlDialect.h"

#include <QString>

#include <memory>

namespace velatask {

class IniFile;
class Store;
class Ui;

// Where this station's store lives, chosen from section "Database" of the settings file before
// any table opens: the files in the data folder, or a server that has answered once. A section
// that names a server which cannot be used stops the start instead of opening the local files,
// which would quietly split the station off the team's schedule.
class StoreChoice {
public:
    // Reads the section and, when it names a server, connects to it once.
    static StoreChoice read(const IniFile& ini);

    bool onServer() const { return m_onServer; }
    const ServerAddress& server() const { return m_server; }
    // Why the program cannot start; empty when it can.
    QString problem() const { return m_problem; }

    // The problem in a box through `ui`; the caller then ends with a failure status.
    void report(Ui& ui) const;
    std::unique_ptr<Store> makeStore(const QString& dataDirectory, Ui& ui) const;

    // The connection's own words when the server cannot be reached or refuses the user;
    // empty when it answered.
    static QString tryServer(const ServerAddress& server);
    // "database team as anna on db.example:6543" for messages.
    static QString describe(const ServerAddress& server);

private:
    bool m_onServer = false;
    ServerAddress m_server;
    QString m_problem;
};

} // namespace velatask
