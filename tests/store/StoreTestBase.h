#pragma once

#include "ServerDatabase.h"
#include "platform/fake/ScriptedUi.h"
#include "store/Connection.h"
#include "store/Store.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace velatask {

// Where a store test keeps its tables: the files of the data folder, or a database of its own
// on the private server.
enum class Backend { File, Server };

inline std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::File ? "File" : "Server";
}

// A data folder in a temporary directory with one store ("this station") on it, its tables in the
// files or, after useServer(), on the server.
class StoreTestBase : public ::testing::Test {
protected:
    // Before the first store(): false (and the test skips) when no private server runs.
    bool useServer() {
        if (ServerDatabase::host().isEmpty()) {
            return false;
        }
        m_server = std::make_unique<ServerDatabase>();
        EXPECT_EQ(m_server->problem(), QString());
        return m_server->problem().isEmpty();
    }
    bool onServer() const { return m_server != nullptr; }

    // Another station on the same tables.
    std::unique_ptr<Store> anotherStation(Ui& ui) {
        return m_server ? std::make_unique<Store>(m_dir.path(), m_server->address(), ui)
                        : std::make_unique<Store>(m_dir.path(), ui);
    }

    // The first column of the first row of a query on the data tables, read behind the store's
    // back.
    QVariant dataValue(const QString& sql) { return valueOf(dataFile(), sql); }
    // The same on the tag table (on the server it lives with the others).
    QVariant tagValue(const QString& sql) { return valueOf(tagFile(), sql); }
    // Runs a statement on the data tables behind the store's back; the engine's message when it
    // fails, empty when it ran.
    QString dataExec(const QString& sql) {
        std::vector<Connection::Row> rows;
        return runOn(dataFile(), sql, rows);
    }

private:
    QString runOn(const QString& file, const QString& sql, std::vector<Connection::Row>& rows) {
        std::unique_ptr<Connection> c =
            m_server ? std::make_unique<Connection>(
                           std::make_unique<PostgresDialect>(m_server->address()), "server")
                     : std::make_unique<Connection>(file);
        StoreError e;
        if (c->open(false, e) == 0) {
            c->exec(sql, {}, e, &rows);
        }
        return e.code == 0 ? QString()
                           : e.driverText + QStringLiteral(" (") + QString::number(e.code) +
                                 QLatin1Char(')');
    }
    QVariant valueOf(const QString& file, const QString& sql) {
        std::vector<Connection::Row> rows;
        if (!runOn(file, sql, rows).isEmpty() || rows.empty()) {
            return QVariant();
        }
        return rows.front().value(0);
    }

protected:
    QString dataFile() const { return QDir(m_dir.path()).filePath(QStringLiteral("SM")); }
    QString tagFile() const { return QDir(m_dir.path()).filePath(QStringLiteral("TagFile_.VDB")); }

    Store& store() {
        if (!m_store) {
            m_store = anotherStation(m_ui);
        }
        return *m_store;
    }

    // A task with the fields the key tests look at.
    static ScheduleRecord task(std::int32_t id, const QString& category, const QString& description,
                               std::int32_t date, std::int32_t time, std::uint8_t disabled = 0) {
        ScheduleRecord r;
        r.ID = id;
        r.TaskType = QStringLiteral("Display Message");
        r.Category = category;
        r.Description = description;
        r.ScheduleType = QStringLiteral("Once");
        r.Date = date;
        r.Time = time;
        r.Disabled = disabled;
        return r;
    }

    int addTask(ScheduleView& view, const ScheduleRecord& r) {
        view.buffer() = r;
        return view.add();
    }

    // Before the store: it lets go of the server before the database is dropped.
    std::unique_ptr<ServerDatabase> m_server;
    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    std::unique_ptr<Store> m_store;
};

} // namespace velatask
