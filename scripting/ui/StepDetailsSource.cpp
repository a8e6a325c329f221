#include "scripting/ui/StepDetailsSource.h"

#include "scripting/ui/ScriptSteps.h"
#include "store/ScriptingRecord.h"

namespace velatask {

StepDetailsSource::StepDetailsSource(Store& store) : m_rows(store, ScriptingKey::KeyID) {
    m_rows.cursor().setColumns({QStringLiteral("Action"), QStringLiteral("Sequence"),
                                QStringLiteral("Keystrokes"), QStringLiteral("SecondsToWait"),
                                QStringLiteral("FocusOnWindow"), QStringLiteral("DDEType"),
                                QStringLiteral("DDEApplicationName"),
                                QStringLiteral("DDEApplicationTopic")});
}

int StepDetailsSource::reread(std::int64_t position, Row& out) {
    const int code = m_rows.reread(position, out);
    if (code == 0) {
        addDetails(out);
    }
    return code;
}

int StepDetailsSource::withDetails(int code, Page& page) {
    if (code == 0) {
        for (Row& row : page) {
            addDetails(row);
        }
    }
    return code;
}

void StepDetailsSource::addDetails(Row& row) {
    ScriptingRecord step;
    step.Action = row.values.value(kAction).toString();
    step.Keystrokes = row.values.value(kKeystrokes).toString();
    step.SecondsToWait = row.values.value(kSecondsToWait).toInt();
    step.FocusOnWindow = row.values.value(kFocusOnWindow).toString();
    step.DDEType = row.values.value(kDDEType).toString();
    step.DDEApplicationName = row.values.value(kDDEApplicationName).toString();
    step.DDEApplicationTopic = row.values.value(kDDEApplicationTopic).toString();
    row.values.append(ScriptStepDetails(step));
}

} // namespace velatask
