#include "ui/FormWindow.h"

#include "settings/qt/WidgetGeometry.h"
#include "ui/Accessibility.h"
#include "ui/FormRecord.h"
#include "ui/KeyboardOrder.h"
#include "ui/TitleWidth.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace velatask {

FormWindow::FormWindow(Store& store, IniFile& ini, std::unique_ptr<FormRecord> record,
                       Request request, FormDeclaration declaration, QWidget* parent)
    : QDialog(parent), m_store(store), m_ini(ini), m_record(std::move(record)),
      m_session(store, *m_record, request), m_declaration(std::move(declaration)) {
    setWindowTitle(m_declaration.title);
    m_tabs = new QTabWidget(this);
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &FormWindow::accept);
    connect(m_cancel, &QPushButton::clicked, this, &FormWindow::reject);

    m_buttons = new QHBoxLayout;
    m_buttons->addStretch();
    m_buttons->addWidget(m_ok);
    m_buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(m_buttons);
}

FormWindow::~FormWindow() = default;

QFormLayout* FormWindow::addTab(const QString& text) {
    auto* page = new QWidget(m_tabs);
    auto* rows = new QFormLayout(page);
    rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_tabs->addTab(page, text);
    return rows;
}

void FormWindow::addRow(QFormLayout* tab, const QString& label, QWidget* control) {
    if (label.isEmpty()) {
        tab->addRow(control);
        return;
    }
    auto* caption = new QLabel(label, tab->parentWidget());
    caption->setBuddy(control);
    tab->addRow(caption, control);
}

void FormWindow::addCheck(QWidget* control, std::function<bool()> check) {
    const std::size_t index = m_checks.size();
    m_checks.push_back(Check{control, std::move(check)});
    const auto left = [this, index] { leftControl(m_checks.at(index)); };
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control)) {
        connect(spin, &QAbstractSpinBox::editingFinished, this, left);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        connect(edit, &QLineEdit::editingFinished, this, left);
    }
}

void FormWindow::leftControl(const Check& check) {
    if (m_checking) {
        return; // the warning's own box took the focus
    }
    // Return in the control is checked by "&OK"; leaving for "Cancel" or another window checks
    // nothing.
    QWidget* next = QApplication::focusWidget();
    if (!next || next == check.control || check.control->isAncestorOf(next) || next == m_cancel ||
        next->window() != this) {
        return;
    }
    m_checking = true;
    const bool ok = check.check();
    m_checking = false;
    if (!ok) {
        check.control->setFocus();
    }
}

bool FormWindow::runChecks() {
    for (const Check& c : m_checks) {
        m_checking = true;
        const bool ok = c.check();
        m_checking = false;
        if (!ok) {
            c.control->setFocus();
            return false;
        }
    }
    return true;
}

Response FormWindow::run() {
    if (prepare()) {
        exec();
    }
    return m_session.response();
}

bool FormWindow::prepare() {
    if (!m_session.open()) {
        return false;
    }
    if (request() == Request::Delete) {
        m_session.runDelete(m_declaration.confirmDelete);
        return false;
    }
    opened();
    if (request() == Request::Insert && !m_declaration.insertText.isEmpty()) {
        setWindowTitle(m_declaration.insertText);
    } else if (request() == Request::Change && !m_declaration.changeText.isEmpty()) {
        setWindowTitle(m_declaration.changeText);
    }
    m_fields.load();
    // The form opens on its first control.
    QWidget* first = KeyboardOrder::tabsThenButtons(this, m_tabs, {m_ok, m_cancel});
    if (!m_first) {
        m_first = first;
    }
    fitTitle(this);
    Accessibility::nameControls(this);
    WidgetGeometry::restore(this, m_ini, m_declaration.section);
    return true;
}

void FormWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_first && !event->spontaneous()) {
        m_first->setFocus();
    }
}

void FormWindow::accept() {
    if (QWidget* unreadable = m_fields.store()) {
        unreadable->setFocus();
        return;
    }
    if (!runChecks()) {
        return;
    }
    if (m_session.save() == FormSession::Outcome::Close) {
        QDialog::accept();
        return;
    }
    m_fields.load(); // the stored version, or the values the store put back
}

void FormWindow::reject() {
    m_session.cancel();
    QDialog::reject();
}

void FormWindow::done(int result) {
    WidgetGeometry::save(this, m_ini, m_declaration.section);
    QDialog::done(result);
}

} // namespace velatask
