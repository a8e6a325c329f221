#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// One script step of a task (table Scripting); ID is the owning task's number.
struct ScriptingRecord {
    static constexpr int kActionWidth = 27;
    static constexpr int kKeystrokesWidth = 80;
    static constexpr int kWindowWidth = 80; // WaitForWindow, FocusOnWindow
    static constexpr int kDDETypeWidth = 20;
    static constexpr int kDDEWidth = 80; // application name, topic, item, command

    std::int32_t ID = 0;
    std::int32_t Sequence = 0;
    QString Action;
    QString Keystrokes;
    std::int32_t SecondsToWait = 0;
    QString WaitForWindow;
    QString FocusOnWindow;
    QString DDEType;
    QString DDEApplicationName;
    QString DDEApplicationTopic;
    QString DDELinkItem;
    QString DDECommand;

    bool operator==(const ScriptingRecord&) const = default;
};

} // namespace velatask
