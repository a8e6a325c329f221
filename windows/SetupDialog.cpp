#include "windows/SetupDialog.h"

#include "core/Ui.h"
#include "platform/Autostart.h"
#include "resources/Resources.h"
#include "scheduler/AppContext.h"
#include "scheduler/Housekeeping.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/WindowPosition.h"
#include "settings/qt/WidgetGeometry.h"
#include "store/Store.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace velatask {
namespace {

const QString kSection = QStringLiteral("Setup");
const QString kTitle = QStringLiteral("Housekeeping");

} // namespace

SetupDialog::SetupDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    m_tablesOpen = m_ctx.store->SCH.open() == StoreCode::NoError;
    if (m_tablesOpen && m_ctx.store->TDO.open() != StoreCode::NoError) {
        m_ctx.store->SCH.close();
        m_tablesOpen = false;
    }
    buildWindow();
    showSettings();
    WidgetGeometry::restore(this, *m_ctx.ini, kSection);
}

SetupDialog::~SetupDialog() {
    if (m_tablesOpen) {
        m_ctx.store->TDO.close();
        m_ctx.store->SCH.close();
    }
}

void SetupDialog::buildWindow() {
    setWindowTitle(QStringLiteral("Velatask Setup"));
    setWindowIcon(resourceIcon(QStringLiteral("WRENCH")));

    auto* picture = new QLabel(this);
    picture->setPixmap(resourceIcon(QStringLiteral("WRENCH")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* options = new QGroupBox(tr("Options"), this);
    m_showSchedule = new QCheckBox(QStringLiteral("Show Schedule at start up"), options);
    m_showToDo = new QCheckBox(QStringLiteral("Show To Do List at start up"), options);
    m_minimize = new QCheckBox(QStringLiteral("Minimize at start up"), options);
    m_active = new QCheckBox(QStringLiteral("Scheduler active"), options);
    m_fullSchedule = new QCheckBox(QStringLiteral("Show full schedule initially"), options);
    m_noTray = new QCheckBox(QStringLiteral("Do not place in tray when minimized"), options);
    if (m_ctx.autostart != nullptr) {
        m_startAtLogin = new QCheckBox(QStringLiteral("Start Velatask when I log in"), options);
    }
    m_historyExpires = new QLineEdit(options);
    m_historyExpires->setToolTip(QStringLiteral("History expires in how many days"));
    m_historyExpires->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,12}")), this));
    m_historyExpires->setMaximumWidth(90);
    m_removeUncompleted = new QCheckBox(QStringLiteral("Also Remove Uncompleted Tasks"), options);
    auto* expiresLabel = new QLabel(QStringLiteral("Removed Completed Tasks After:"), options);
    expiresLabel->setBuddy(m_historyExpires);

    auto* optionsLayout = new QVBoxLayout(options);
    for (QCheckBox* box :
         {m_showSchedule, m_showToDo, m_minimize, m_active, m_fullSchedule, m_noTray}) {
        optionsLayout->addWidget(box);
    }
    if (m_startAtLogin != nullptr) {
        optionsLayout->addWidget(m_startAtLogin);
    }
    auto* expires = new QHBoxLayout;
    expires->addWidget(expiresLabel);
    expires->addWidget(m_historyExpires);
    expires->addWidget(new QLabel(QStringLiteral("Days"), options));
    expires->addStretch();
    optionsLayout->addSpacing(6);
    optionsLayout->addLayout(expires);
    optionsLayout->addWidget(m_removeUncompleted);

    auto* housekeeping = new QGroupBox(tr("Housekeeping"), this);
    auto* hkLayout = new QVBoxLayout(housekeeping);
    const auto addCommand = [&](const char* text, auto action) {
        auto* b = new QPushButton(QLatin1String(text), housekeeping);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        hkLayout->addWidget(b);
    };
    addCommand("Clear all disabled tasks", [this] {
        if (confirm("Remove disabled tasks?")) {
            Housekeeping::clearDisabledTasks(m_ctx);
            report("Disabled tasks removed.");
        }
    });
    addCommand("Clear all completed tasks", [this] {
        if (confirm("Remove completed tasks?")) {
            Housekeeping::clearCompletedTasks(m_ctx);
            report("Completed tasks removed.");
        }
    });
    addCommand("Clear To Do list", [this] {
        if (confirm("Clear To Do list?") && Housekeeping::clearToDoList(m_ctx)) {
            report("To Do list removed.");
        }
    });
    addCommand("Reset saved window settings", [this] {
        if (confirm("Reset saved window settings?")) {
            ResetSavedWindowSettings(*m_ctx.ini);
        }
    });
    addCommand("Clear current script queue", [this] {
        if (confirm("Remove active scripts?")) {
            Housekeeping::clearScriptQueue(m_ctx);
            report("All active scripts have been removed");
        }
    });
    hkLayout->addStretch();

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &SetupDialog::saveAndClose);
    connect(cancel, &QPushButton::clicked, this, &SetupDialog::cancelAndClose);

    auto* columns = new QHBoxLayout;
    columns->addWidget(picture);
    columns->addWidget(options, 1);
    columns->addWidget(housekeeping);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    Settings& s = *m_ctx.settings;
    bind(m_showSchedule, &s.showScheduleAtStartUp);
    bind(m_showToDo, &s.startUpToDo);
    bind(m_minimize, &s.startUpMinimized);
    bind(m_active, &s.schedulerActive);
    bind(m_fullSchedule, &s.fullSchedule);
    bind(m_noTray, &s.noTray);
    bind(m_removeUncompleted, &s.removeUncompleted);
    connect(m_historyExpires, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_ctx.settings->historyExpires = text.toLong(); });
}

void SetupDialog::bind(QCheckBox* box, bool* flag) {
    connect(box, &QCheckBox::toggled, this, [flag](bool on) { *flag = on; });
}

void SetupDialog::showSettings() {
    const Settings& s = *m_ctx.settings;
    m_showSchedule->setChecked(s.showScheduleAtStartUp);
    m_showToDo->setChecked(s.startUpToDo);
    m_minimize->setChecked(s.startUpMinimized);
    m_active->setChecked(s.schedulerActive);
    m_fullSchedule->setChecked(s.fullSchedule);
    m_noTray->setChecked(s.noTray);
    m_removeUncompleted->setChecked(s.removeUncompleted);
    m_historyExpires->setText(QString::number(s.historyExpires));
    if (m_startAtLogin != nullptr) {
        m_startAtLogin->setChecked(m_ctx.autostart->isEnabled());
    }
}

QPushButton* SetupDialog::button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

bool SetupDialog::confirm(const char* question) {
    return m_ctx.ui->message(QLatin1String(question), kTitle, Ui::Question, Ui::Yes | Ui::No,
                             Ui::No) == Ui::Yes;
}

void SetupDialog::report(const char* text) {
    m_ctx.ui->message(QLatin1String(text), kTitle, Ui::Information, Ui::Ok, Ui::Ok);
}

void SetupDialog::saveAndClose() {
    if (!saveStartAtLogin()) {
        return;
    }
    m_ctx.settings->save(*m_ctx.ini);
    finish(QDialog::Accepted);
}

bool SetupDialog::saveStartAtLogin() {
    if (m_startAtLogin == nullptr) {
        return true;
    }
    const bool on = m_startAtLogin->isChecked();
    if (on == m_ctx.autostart->isEnabled() || m_ctx.autostart->setEnabled(on)) {
        return true;
    }
    m_ctx.ui->message(QStringLiteral("The desktop's autostart entry could not be %1.")
                          .arg(on ? QStringLiteral("written") : QStringLiteral("removed")),
                      QStringLiteral("Velatask Setup"), Ui::Exclamation, Ui::Ok, Ui::Ok);
    return false;
}

void SetupDialog::cancelAndClose() {
    *m_ctx.settings = Settings::load(*m_ctx.ini);
    finish(QDialog::Rejected);
}

void SetupDialog::finish(int result) {
    WidgetGeometry::save(this, *m_ctx.ini, kSection);
    m_finished = true;
    done(result);
}

void SetupDialog::reject() {
    if (!m_finished) {
        WidgetGeometry::save(this, *m_ctx.ini, kSection);
        m_finished = true;
    }
    QDialog::reject();
}

} // namespace velatask
