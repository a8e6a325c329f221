#pragma once

#include "store/StoreError.h"

namespace velatask {

class Connection;
class Store;
struct TableDef;

// Opens a table for a view, creating a missing file or table, retrying a locked one, offering to
// rebuild damaged keys and stopping the program when the table cannot be used.
namespace TableOpener {

// 0 when the table can be used; otherwise the user has been told (and the program stopped).
int open(Store& store, Connection& connection, const TableDef& table, StoreError& error);

// Checks the table without changing anything: 2 missing, 46 keys differ, 47 columns differ.
int probe(Connection& connection, const TableDef& table, StoreError& error);
int create(Connection& connection, const TableDef& table, StoreError& error);
// Brings the shared parts of a server schema made by another build (functions, text order,
// change triggers) up to date; 0 at once when they are current or on a file.
int mendSchema(Connection& connection, StoreError& error);
int rebuildKeys(Connection& connection, const TableDef& table, StoreError& error);

} // namespace TableOpener
} // namespace velatask
