#include "scripting/ui/AddScripting.h"

#include "resources/Resources.h"
#include "scheduler/AppContext.h"
#include "scripting/ui/ScriptSteps.h"
#include "scripting/ui/StepDetailsSource.h"
#include "scripting/ui/UpdateScripting.h"
#include "ui/BrowseList.h"

#include <QPushButton>

namespace velatask {

namespace {

BrowseDeclaration scriptingWindow() {
    BrowseDeclaration d;
    d.section = QStringLiteral("AddScripting");
    d.title = QStringLiteral("Scripting");
    d.format = QStringLiteral("86L(2)|M~Action~@s20@320L(2)|M~Details~@s80@");
    d.size = QSize(440, 160);
    d.tableName = QStringLiteral("Scripting");
    return d;
}

} // namespace

AddScripting::AddScripting(AppContext& app, QWidget* parent)
    : BrowseWindow(*app.store, *app.ini, std::make_unique<StepDetailsSource>(*app.store),
                   scriptingWindow(), parent),
      m_app(app), m_store(*app.store), m_tasks(app.store->SCH), m_steps(app.store->SCR),
      m_taskId(app.store->SCH.buffer().ID) {
    setTablesOpen(m_tasks.ok() && m_steps.ok());
    list()->model().setValueColumns({StepDetailsSource::kAction, StepDetailsSource::kDetails});
    // One tab: the task's steps in sequence order.
    addTab(BrowseTab{QStringLiteral("Sequence"), [this] {
                         const int code = cursor().setOrder(ScriptingKey::KeyID);
                         cursor().setRange({m_taskId});
                         return code;
                     }});

    addEditActions(
        QStringLiteral("&Add"), [this] { update(Request::Insert); },
        [this] { update(Request::Change); }, [this] { update(Request::Delete); });
    QPushButton* up = addButton(
        QString(), [this] { move(true); }, true);
    up->setIcon(resourceIcon(QStringLiteral("UP")));
    up->setToolTip(QStringLiteral("Move the highlighted item up"));
    up->setAccessibleName(up->toolTip());
    QPushButton* down = addButton(
        QString(), [this] { move(false); }, true);
    down->setIcon(resourceIcon(QStringLiteral("DOWN")));
    down->setToolTip(QStringLiteral("Move the highlighted item down"));
    down->setAccessibleName(down->toolTip());
    addButton(QStringLiteral("Cl&ose"), [this] { finish(Response::Completed); });

    Store& store = m_store;
    setRecordAccess(
        [&store](std::int64_t position) {
            store.SCR.watch();
            return store.SCR.reget(QString::number(position));
        },
        [&store] { return store.SCR.pointer(); });
}

void AddScripting::call(AppContext& app, QWidget* parent) {
    AddScripting window(app);
    if (window.open()) {
        window.runModal(parent);
    }
}

WindowCursor& AddScripting::cursor() {
    return static_cast<StepDetailsSource&>(source()).cursor();
}

Response AddScripting::update(Request request) {
    if (request != Request::Insert && list()->isEmpty()) {
        return Response::Cancelled;
    }
    if (request == Request::Insert) {
        m_store.SCR.clearBuffer();
        m_store.SCR.buffer().ID = m_taskId;
    }
    return callForm(request, [this](Request r) { return UpdateScripting(m_app, r, this).run(); });
}

void AddScripting::move(bool up) {
    const PageSource::Row* row = list()->currentRow();
    if (!row) {
        return;
    }
    const std::int64_t moved = row->position;
    const std::int32_t sequence = row->values.value(StepDetailsSource::kSequence).toInt();
    ScriptSteps(m_store, m_taskId)
        .move(sequence, up ? ScriptSteps::Direction::Up : ScriptSteps::Direction::Down);
    list()->showRecord(moved);
}

} // namespace velatask
