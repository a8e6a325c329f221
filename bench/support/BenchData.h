#pragma once

#include "platform/fake/ScriptedUi.h"
#include "store/ScheduleRecord.h"
#include "store/Store.h"

#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>

namespace velatask {

// Makes task number `i` (counting from 1) into `task`, which starts empty.
using TaskMaker = std::function<void(int i, ScheduleRecord& task)>;

// Adds tasks 1 to `count` to Schedule in one transaction, each made by `make`; `added` (when
// given) hears each number once its task is stored. SCH must be open.
void addTasks(Store& store, int count, const TaskMaker& make,
              const std::function<void(int i)>& added = {});

// A data folder of its own, removed at the end of the run, and the store on it.
class BenchData {
public:
    BenchData() : m_store(m_dir.path(), m_ui) {}
    BenchData(const BenchData&) = delete;
    BenchData& operator=(const BenchData&) = delete;

    Store& store() { return m_store; }
    ScriptedUi& ui() { return m_ui; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    Store m_store;
};

// The ordinary list of a benchmark: a task shown on given weekdays in one of five categories,
// dated in the `days` after `firstDate`, nine in ten of them history copies (disabled and
// completed). Each task takes four numbers from `random`.
ScheduleRecord listedTask(int i, std::mt19937& random, std::int32_t firstDate, int days);

// Data folders made on first use and kept for the run, one per key (a size, a variant).
template <class Key, class Data> class DataSets {
public:
    template <class... Args> Data& get(const Key& key, Args&&... args) {
        std::unique_ptr<Data>& d = m_sets[key];
        if (!d) {
            d = std::make_unique<Data>(std::forward<Args>(args)...);
        }
        return *d;
    }
    // Before the application object goes: the stores close while the SQL driver is still there.
    void clear() { m_sets.clear(); }

private:
    std::map<Key, std::unique_ptr<Data>> m_sets;
};

} // namespace velatask
