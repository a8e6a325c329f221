#include "scripting/ui/ScriptSteps.h"

#include "core/FixedText.h"
#include "scheduler/ErrorText.h"
#include "scripting/ScriptStep.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "store/Transaction.h"

namespace velatask {

namespace {

const QString kScripting = QStringLiteral("Scripting");

} // namespace

ScriptSteps::ScriptSteps(Store& store, std::int32_t taskId) : m_store(store), m_taskId(taskId) {}

std::optional<std::int32_t> ScriptSteps::nextSequence() {
    ScriptingView& scr = m_store.SCR;
    const ScriptingRecord wanted = scr.buffer();
    scr.buffer().ID = m_taskId;
    scr.buffer().Sequence = kHighestSequence;
    scr.setAt(ScriptingKey::KeyID);
    const int code = scr.previous();
    const bool found = code == 0 && scr.buffer().ID == m_taskId;
    const std::int32_t highest = found ? scr.buffer().Sequence : 0;
    scr.buffer() = wanted;
    if (code != 0 && code != StoreCode::NoRecord) {
        StandardWarning(m_store, 35, kScripting);
        return std::nullopt;
    }
    return highest + 1;
}

bool ScriptSteps::addNew() {
    ScriptingView& scr = m_store.SCR;
    for (;;) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const std::optional<std::int32_t> sequence = nextSequence();
            if (!sequence) {
                return false;
            }
            scr.buffer().ID = m_taskId;
            scr.buffer().Sequence = *sequence;
            if (scr.add() == 0) {
                return true;
            }
        }
        if (StandardWarning(m_store, 25) != Ui::Retry) {
            return false;
        }
    }
}

bool ScriptSteps::failMove(Transaction& tx, int write) {
    const QString text = errorText(m_store.lastError());
    // Undone before the box waits for the user, so nobody else waits for the file meanwhile.
    tx.rollback();
    m_store.ui().message(QStringLiteral("Unable to move (%1): ").arg(write) + text, kScripting,
                         Ui::NoIcon, Ui::Ok, Ui::Ok);
    return false;
}

bool ScriptSteps::move(std::int32_t sequence, Direction direction) {
    ScriptingView& scr = m_store.SCR;
    scr.buffer().ID = m_taskId;
    scr.buffer().Sequence = sequence;
    if (scr.fetch(ScriptingKey::KeyID) != 0) {
        return false;
    }
    const QString movedPosition = scr.position();
    const int neighbourRead = direction == Direction::Up ? scr.previous() : scr.next();
    if (neighbourRead != 0 || scr.buffer().ID != m_taskId) {
        return false;
    }
    const QString neighbourPosition = scr.position();

    Transaction tx(m_store);
    if (tx.begin() != 0) {
        return failMove(tx, 4);
    }
    scr.buffer().Sequence = kParking - scr.buffer().Sequence;
    if (scr.put() != 0) {
        return failMove(tx, 4);
    }
    if (scr.reget(movedPosition) != 0) {
        return failMove(tx, 5);
    }
    scr.buffer().Sequence = direction == Direction::Up ? sequence - 1 : sequence + 1;
    if (scr.put() != 0) {
        return failMove(tx, 5);
    }
    if (scr.reget(neighbourPosition) != 0) {
        return failMove(tx, 6);
    }
    scr.buffer().Sequence = sequence;
    if (scr.put() != 0 || tx.commit() != 0) {
        return failMove(tx, 6);
    }
    return true;
}

QString ScriptStepDetails(const ScriptingRecord& step) {
    const QString action = FixedText::rtrim(step.Action);
    if (action == ScriptAction::kSendKeystrokes) {
        return step.Keystrokes;
    }
    if (action == ScriptAction::kDde) {
        return FixedText::rtrim(step.DDEType) + QLatin1Char(' ') +
               FixedText::rtrim(step.DDEApplicationName) + QLatin1Char(' ') +
               step.DDEApplicationTopic;
    }
    if (action == ScriptAction::kSetFocus) {
        return step.FocusOnWindow;
    }
    if (action == ScriptAction::kWait) {
        return QString::number(step.SecondsToWait) + QStringLiteral(" seconds");
    }
    return QString();
}

} // namespace velatask
