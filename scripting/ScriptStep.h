#pragma once

#include "store/ScriptingRecord.h"

#include <QString>

namespace velatask {

// One step of a task's script, as the Scripting table holds it.
using ScriptStep = ScriptingRecord;

// The five action words a step may hold.
namespace ScriptAction {
inline const QString kCloseProgram = QStringLiteral("Close Program");
inline const QString kSendKeystrokes = QStringLiteral("Send Keystrokes");
inline const QString kDde = QStringLiteral("DDE (Dynamic Data Exchange)");
inline const QString kSetFocus = QStringLiteral("Set Focus");
inline const QString kWait = QStringLiteral("Wait");
} // namespace ScriptAction

} // namespace velatask
