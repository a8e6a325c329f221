#include "windows/UpdateTodo.h"

#include "store/Procedures.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "ui/StepRangeSpinBox.h"
#include "ui/ViewFormRecord.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

namespace velatask {
namespace {

constexpr int kLowestPriority = 1;
constexpr int kHighestPriority = 10;
constexpr int kNewPriority = 5;

FormDeclaration declaration() {
    FormDeclaration d;
    d.section = QStringLiteral("UpdateTodo");
    d.title = QStringLiteral("To Do");
    d.insertText = QStringLiteral("Adding To Do Item");
    d.changeText = QStringLiteral("Changing To Do Item");
    return d;
}

std::unique_ptr<FormRecord> toDoRecord(Store& store) {
    auto r = std::make_unique<ViewFormRecord<ToDoView>>(store, store.TDO, &UpdateToDoRecord,
                                                        &DeleteToDoRecord);
    r->setDefaults([](ToDoRecord& item) {
        item.Priority = kNewPriority;
        item.Done = 0;
    });
    return r;
}

} // namespace

UpdateTodo::UpdateTodo(Store& store, IniFile& ini, Request request, QWidget* parent)
    : FormWindow(store, ini, toDoRecord(store), request, declaration(), parent) {
    QFormLayout* general = addTab(QStringLiteral("General"));
    m_toDo = addField(general, QStringLiteral("&To Do:"), new QLineEdit);
    m_toDo->setMinimumWidth(m_toDo->fontMetrics().averageCharWidth() * 44);
    // The arrows offer 1 to 10; what the two-digit field can hold may be typed and is checked.
    m_priority = addField(general, QStringLiteral("Priority:"),
                          new StepRangeSpinBox(kLowestPriority, kHighestPriority, 99));
    m_priority->setMaximumWidth(m_priority->fontMetrics().averageCharWidth() * 6 + 40);
    m_done = addField(general, QString(), new QCheckBox(QStringLiteral("Done")));

    ToDoRecord& item = store.TDO.buffer();
    fields().text(m_toDo, item.ToDo, ToDoRecord::kToDoWidth);
    fields().number(m_priority, item.Priority);
    fields().flag(m_done, item.Done);
    addCheck(m_priority, [this] { return checkPriority(); });
}

bool UpdateTodo::checkPriority() {
    m_priority->interpretText();
    if (m_priority->inStepRange()) {
        return true;
    }
    StandardWarning(store(), 10, QStringLiteral("tDo:Priority"), QStringLiteral("1 and 10"));
    return false;
}

} // namespace velatask
