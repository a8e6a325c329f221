#include "windows/ViewToDo.h"

#include "store/Procedures.h"
#include "ui/BrowseList.h"
#include "ui/CursorPageSource.h"
#include "windows/UpdateTodo.h"

namespace velatask {
namespace {

BrowseDeclaration toDoWindow() {
    BrowseDeclaration d;
    d.section = QStringLiteral("ViewToDo");
    d.title = QStringLiteral("To Do List");
    d.format = QStringLiteral("10C(1)|MI23C(1)|M~Priority~C(0)@n2@60L|M~To Do~L(1)@s40@");
    d.size = QSize(330, 170);
    d.tableName = QStringLiteral("Todo");
    d.layoutEntry = QStringLiteral("?Browse:1");
    return d;
}

// The fields of a row, in the order the cursor is asked for them.
enum Field { Done, Priority, Text };

} // namespace

ViewToDo::ViewToDo(Store& store, IniFile& ini, QWidget* parent)
    : BrowseWindow(store, ini, std::make_unique<CursorPageSource>(store, ToDoKey::KeyDone),
                   toDoWindow(), parent),
      m_store(store), m_ini(ini), m_table(store.TDO) {
    setTablesOpen(m_table.ok());
    cursor().setColumns(
        {QStringLiteral("Done"), QStringLiteral("Priority"), QStringLiteral("ToDo")});
    BrowseModel& model = list()->model();
    model.setValueColumns({-1, Priority, Text});
    model.setIcons({QStringLiteral("~done.ico"), QStringLiteral("~notdone.ico")},
                   {QStringLiteral("Done"), QStringLiteral("Not done")},
                   [](const BrowseModel::Values& v) { return v.at(Done).toInt() == 1 ? 1 : 2; });

    for (const auto& [text, key] :
         {std::pair{"&Done", ToDoKey::KeyDone}, std::pair{"&Priority", ToDoKey::KeyPriority},
          std::pair{"&To Do", ToDoKey::KeyToDo}}) {
        addTab(
            BrowseTab{QLatin1String(text), [this, key = key] { return cursor().setOrder(key); }});
    }

    const auto insert = [this] { update(Request::Insert); };
    const auto change = [this] { update(Request::Change); };
    const auto remove = [this] { update(Request::Delete); };
    const auto toggle = [this] { toggleDone(); };
    addEditActions(QStringLiteral("&Insert"), insert, change, remove);
    addButton(QStringLiteral("&Toggle Done Status"), toggle, true);
    addButton(QStringLiteral("Cl&ose"), [this] { closeWindow(); });
    setWindowMenu({{QStringLiteral("&Add"), insert},
                   {QStringLiteral("&Change"), change, true},
                   {QStringLiteral("&Delete"), remove, true},
                   {},
                   {QStringLiteral("&Toggle Done"), toggle, true},
                   {QStringLiteral("Cancel"), {}}});

    setRecordAccess(
        [&store](std::int64_t position) {
            store.TDO.watch();
            return store.TDO.reget(QString::number(position));
        },
        [&store] { return store.TDO.pointer(); });
}

WindowCursor& ViewToDo::cursor() {
    return static_cast<CursorPageSource&>(source()).cursor();
}

Response ViewToDo::update(Request request) {
    if (request != Request::Insert && list()->isEmpty()) {
        return Response::Cancelled;
    }
    return callForm(request,
                    [this](Request r) { return UpdateTodo(m_store, m_ini, r, this).run(); });
}

void ViewToDo::toggleDone() {
    if (!loadCurrent()) {
        return;
    }
    // A flag written by another program as something other than 0 or 1 reads as not done.
    ToDoRecord& item = m_store.TDO.buffer();
    item.Done = item.Done == 1 ? 0 : 1;
    const std::int64_t position = m_store.TDO.pointer();
    UpdateToDoRecord(m_store);
    list()->showRecord(position);
}

} // namespace velatask
