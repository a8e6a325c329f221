#include "scripting/ui/UpdateScripting.h"

#include "core/FixedText.h"
#include "scheduler/AppContext.h"
#include "scripting/ScriptStep.h"
#include "scripting/ui/ScriptSteps.h"
#include "scripting/ui/ViewScriptKeys.h"
#include "store/Procedures.h"
#include "ui/OptionGroup.h"
#include "ui/ReservedFormRecord.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velatask {

namespace {

FormDeclaration declaration() {
    FormDeclaration d;
    d.section = QStringLiteral("UpdateScripting");
    d.title = QStringLiteral("Update Scripting");
    d.insertText = QStringLiteral("Adding Scripting");
    d.changeText = QStringLiteral("Changing Scripting");
    d.confirmDelete = false;
    return d;
}

std::unique_ptr<FormRecord> stepRecord(Store& store) {
    auto record = std::make_unique<ReservedFormRecord<ScriptingView>>(
        store, store.SCR, &UpdateScriptingRecord, &DeleteScriptingRecord,
        QStringLiteral("Scripting"), QStringLiteral("Sequence"));
    record->setReserve([&store] {
        ScriptingRecord& step = store.SCR.buffer();
        step.ID = store.SCH.buffer().ID;
        step.Action = ScriptAction::kSendKeystrokes;
        return ScriptSteps(store, step.ID).addNew() ? 0 : 1;
    });
    return record;
}

QLabel* explanation(const QStringList& lines, QWidget* parent) {
    auto* label = new QLabel(lines.join(QLatin1Char('\n')), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* entry(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 50);
    return edit;
}

// The five actions in the order of the option and of the tabs.
const QStringList kActionButtons = {
    QStringLiteral("Send &Keystrokes"), QStringLiteral("&DDE (Dynamic Data Exchange)"),
    QStringLiteral("Set &Focus"), QStringLiteral("&Wait"), QStringLiteral("Close Program")};

} // namespace

UpdateScripting::UpdateScripting(AppContext& app, Request request, QWidget* parent)
    : FormWindow(*app.store, *app.ini, stepRecord(*app.store), request, declaration(), parent),
      m_app(app) {
    ScriptingRecord& step = app.store->SCR.buffer();
    m_action = new OptionGroup(QStringLiteral("&Action"), kActionButtons, this, false);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_action);
    m_action->bind(fields(), step.Action, ScriptingRecord::kActionWidth);
    connect(m_action, &OptionGroup::chosen, this, &UpdateScripting::showAction);

    QFormLayout* keys = addTab(QStringLiteral("Keystrokes"));
    m_keystrokes = addField(keys, QStringLiteral("&Keystrokes:"), entry(keys->parentWidget()));
    keys->addRow(explanation(
        {QStringLiteral("Enter the keystrokes you wish to send to the application that currently "
                        "has \"focus\"."),
         QStringLiteral("This would be the program you just started, or another that you "
                        "specifically or manually"),
         QStringLiteral("focused on.  To enter special keycodes, use the square braces (\"[]\") "
                        "and a keystroke name."),
         QStringLiteral("For example \"[AltB]\" would send an"),
         QStringLiteral("Alt-B to the program with focus.")},
        keys->parentWidget()));
    m_abbreviations =
        new QPushButton(QStringLiteral("View List of Abbreviations"), keys->parentWidget());
    m_abbreviations->setAutoDefault(false);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_abbreviations);
    buttonRow->addStretch();
    keys->addRow(buttonRow);
    connect(m_abbreviations, &QPushButton::clicked, this, [this] {
        ViewScriptKeys viewer(m_app, this);
        viewer.exec();
    });

    QFormLayout* wait = addTab(QStringLiteral("Wait"));
    m_seconds = new QSpinBox(wait->parentWidget());
    m_seconds->setRange(0, 99999);
    m_seconds->setMaximumWidth(m_seconds->fontMetrics().averageCharWidth() * 12);
    addField(wait, QStringLiteral("&Seconds To Wait Before Next Script Item Executes:"), m_seconds);
    m_waitFor = addField(wait, QStringLiteral("Wait For Window:"), entry(wait->parentWidget()));
    wait->addRow(explanation(
        {QStringLiteral("This script action waits for a number of seconds to pass, and/or a "
                        "window with a specific title"),
         QStringLiteral("to appear.  Leave blank whichever does not apply.  For the window, "
                        "enter:"),
         QStringLiteral("(a) The exact title - for example, \"Connect To\"  (not case "
                        "sensitive)."),
         QStringLiteral("(b) The first few unique characters followed by an asterisk - for "
                        "example:  \"Untitled - *\"."),
         QStringLiteral("(c) An asterisk followed by a phrase to find anywhere in the window "
                        "title. Example: \"*Notepad\""),
         QStringLiteral("(d) A tilde followed by (a), (b), or (c) above to wait for a window to "
                        "NOT exist (disappear).")},
        wait->parentWidget()));

    QFormLayout* focus = addTab(QStringLiteral("Focus"));
    m_focusOn = addField(focus, QStringLiteral("Foc&us On Window:"), entry(focus->parentWidget()));
    focus->addRow(explanation(
        {QStringLiteral("This script action gives the \"focus\" to another application.  Enter "
                        "the exact window title here,"),
         QStringLiteral("or the first few unique characters followed by an asterisk (Example:  "
                        "\"Connect To*\").")},
        focus->parentWidget()));

    QFormLayout* dde = addTab(QStringLiteral("DDE"));
    m_ddeName = addField(dde, QStringLiteral("DDE &Application Name:"), entry(dde->parentWidget()));
    m_ddeTopic =
        addField(dde, QStringLiteral("DDE A&pplication Topic:"), entry(dde->parentWidget()));
    m_ddeCommand = addField(dde, QStringLiteral("DDE &Command:"), entry(dde->parentWidget()));
    dde->addRow(explanation(
        {QStringLiteral("This executes a DDE command of your choice with the application you "
                        "specify.  Note that the"),
         QStringLiteral("application must already be running.  Consult the documentation of the "
                        "application you are "),
         QStringLiteral("communicating for specify topics and commands to use.")},
        dde->parentWidget()));

    QFormLayout* close = addTab(QStringLiteral("Close"));
    close->addRow(explanation(
        {QStringLiteral("This will close whichever window or application that has \"focus\" "
                        "when this script item is"),
         QStringLiteral("executed.  Use with caution.")},
        close->parentWidget()));

    fields().text(m_keystrokes, step.Keystrokes, ScriptingRecord::kKeystrokesWidth);
    fields().number(m_seconds, step.SecondsToWait);
    fields().text(m_waitFor, step.WaitForWindow, ScriptingRecord::kWindowWidth);
    fields().text(m_focusOn, step.FocusOnWindow, ScriptingRecord::kWindowWidth);
    fields().text(m_ddeName, step.DDEApplicationName, ScriptingRecord::kDDEWidth);
    fields().text(m_ddeTopic, step.DDEApplicationTopic, ScriptingRecord::kDDEWidth);
    fields().text(m_ddeCommand, step.DDECommand, ScriptingRecord::kDDEWidth);
}

void UpdateScripting::opened() {
    if (m_app.store->SCR.buffer().ID == 0) {
        m_app.ui->message(QStringLiteral("Unable to attach script to scheduled item."),
                          QStringLiteral("Internal Error"), Ui::NoIcon, Ui::Ok, Ui::Ok);
    }
    showAction(m_app.store->SCR.buffer().Action);
}

void UpdateScripting::showEvent(QShowEvent* event) {
    FormWindow::showEvent(event);
    // The keyboard goes round the tabs' controls, the buttons, the tabs, then the action.
    QWidget* previous = tabs();
    for (QWidget* radio : m_action->buttons()) {
        setTabOrder(previous, radio);
        previous = radio;
    }
    setTabOrder(previous, m_keystrokes);
}

void UpdateScripting::showAction(const QString& action) {
    const std::pair<const QString&, Tab> tabs[] = {{ScriptAction::kSendKeystrokes, KeystrokesTab},
                                                   {ScriptAction::kDde, DdeTab},
                                                   {ScriptAction::kSetFocus, FocusTab},
                                                   {ScriptAction::kWait, WaitTab},
                                                   {ScriptAction::kCloseProgram, CloseTab}};
    QWidget* const firstField[] = {m_keystrokes, m_seconds, m_focusOn, m_ddeName, nullptr};
    for (const auto& [name, tab] : tabs) {
        if (FixedText::equal(action, name)) {
            this->tabs()->setCurrentIndex(tab);
            if (firstField[tab]) {
                // Once the window shows: a hidden control takes no focus.
                QTimer::singleShot(0, firstField[tab], qOverload<>(&QWidget::setFocus));
            }
            return;
        }
    }
}

} // namespace velatask
