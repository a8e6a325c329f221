#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// One step of a task's script (a record of the Scripting table). Text fields hold their text
// without trailing blanks; widths are the field widths in characters.
struct ScriptStep {
    static constexpr int kActionWidth = 27;
    static constexpr int kTextWidth = 80;
    static constexpr int kDDETypeWidth = 20;

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

    bool operator==(const ScriptStep&) const = default;
};

// The five action words a step may hold.
namespace ScriptAction {
inline const QString kCloseProgram = QStringLiteral("Close Program");
inline const QString kSendKeystrokes = QStringLiteral("Send Keystrokes");
inline const QString kDde = QStringLiteral("DDE (Dynamic Data Exchange)");
inline const QString kSetFocus = QStringLiteral("Set Focus");
inline const QString kWait = QStringLiteral("Wait");
} // namespace ScriptAction

} // namespace velatask
