#pragma once

#include "platform/fake/ScriptedUi.h"
#include "store/Store.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace velatask {

// A data folder in a temporary directory with one store ("this station") on it.
class StoreTestBase : public ::testing::Test {
protected:
    QString dataFile() const { return QDir(m_dir.path()).filePath(QStringLiteral("SM")); }
    QString tagFile() const { return QDir(m_dir.path()).filePath(QStringLiteral("TagFile_.VDB")); }

    Store& store() {
        if (!m_store) {
            m_store = std::make_unique<Store>(m_dir.path(), m_ui);
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

    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    std::unique_ptr<Store> m_store;
};

} // namespace velatask
