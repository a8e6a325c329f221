#pragma once

#include "store/StoreError.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace velatask {

class Connection;
struct TableDef;

// Moves a schedule from the data files to a server: every table with every record at its
// position (tags point at records by position), numbers and texts as stored, in one transaction
// on the server, so that a failed copy leaves the server as it was. A server that already holds
// tasks (in Schedule or History) is refused with code 40, never overwritten.
class ServerCopy {
public:
    // `data` and `tags` are the SQLite files (missing ones copy nothing); `server` is a
    // connection through the server's dialect. Reports the records copied so far.
    ServerCopy(Connection& data, Connection& tags, Connection& server)
        : m_data(data), m_tags(tags), m_server(server) {}

    int run(StoreError& error, const std::function<void(std::int64_t copied)>& progress = {});
    std::int64_t copied() const { return m_copied; }
    // The records copied into each table, in copying order (tables the files lack with 0).
    const std::vector<std::pair<QString, std::int64_t>>& copiedPerTable() const {
        return m_perTable;
    }

private:
    int copyTable(Connection& from, const TableDef& table, StoreError& error,
                  const std::function<void(std::int64_t)>& progress);

    Connection& m_data;
    Connection& m_tags;
    Connection& m_server;
    std::int64_t m_copied = 0;
    std::vector<std::pair<QString, std::int64_t>> m_perTable;
};

} // namespace velatask
