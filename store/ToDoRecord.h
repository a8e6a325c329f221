#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// One item of the To Do list (table ToDo).
struct ToDoRecord {
    static constexpr int kToDoWidth = 40;

    std::uint8_t Done = 0;
    std::uint8_t Priority = 0;
    QString ToDo;

    bool operator==(const ToDoRecord&) const = default;
};

} // namespace velatask
