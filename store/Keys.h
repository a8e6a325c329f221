#pragma once

namespace velatask {

// The keys of each table, named as the program's data dictionary names them. SCH and SCH1 both
// use ScheduleKey.
enum class ScheduleKey {
    KeyID,
    KeyDate,
    KeyCategory,
    KeyCategoryDate,
    KeyTaskName,
    KeyTaskType,
    KeyTaskDate,
    KeyDateEnabled,
    KeyAdvanced,
};

enum class HistoryKey {
    KeyID,
    KeyDate,
    KeyCategory,
    KeyCategoryDate,
    KeyTaskName,
    KeyTaskType,
    KeyTaskDate,
};

enum class CategoryKey { KeyCategory };

enum class ToDoKey { KeyDone, KeyPriority, KeyToDo };

enum class ScriptingKey { KeyID };

enum class TagKey { PtrKey, ValKey };

// The tables of the data file, where an operation names a table rather than a key.
enum class Table { Schedule, History, Categories, ToDo, Scripting };

// setAt(key) with all components of the key.
constexpr int kAllComponents = -1;

} // namespace velatask
