#pragma once

#include "ui/FieldBindings.h"
#include "ui/FormSession.h"
#include "ui/Request.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QFormLayout;
class QHBoxLayout;
class QPushButton;
class QTabWidget;

namespace velatask {

class FormRecord;
class IniFile;
class Store;

// What makes one form different from the others, apart from its controls.
struct FormDeclaration {
    QString section;    // its section of the settings file (size and position)
    QString title;      // the title without a request
    QString insertText; // the title while adding
    QString changeText; // the title while changing
    bool confirmDelete = true;
};

// The frame of every update form: tabs holding the controls bound to the record, "&OK" and
// "Cancel", the request in and the response out, the checks of the entries, and the window's
// remembered size and position. A delete request runs without showing the window.
//
//     FormWindow form(store, ini, std::move(record), request, declaration, parent);
//     QFormLayout* general = form.addTab(QStringLiteral("General"));
//     auto* name = form.addField(general, QStringLiteral("&Category:"), new QLineEdit);
//     form.fields().text(name, store.CAT.buffer().Category, 20);
//     Response response = form.run();
class FormWindow : public QDialog {
    Q_OBJECT
public:
    FormWindow(Store& store, IniFile& ini, std::unique_ptr<FormRecord> record, Request request,
               FormDeclaration declaration, QWidget* parent = nullptr);
    ~FormWindow() override;

    // Shows the form modally (or carries out a delete) and answers the response.
    Response run();
    // Readies the form for show() as a window of its own beside the others (finished() tells
    // when it closes, response() what it answered); false when there is nothing to show: a
    // delete request was carried out, or the record could not be opened.
    bool prepare();
    Response response() const { return m_session.response(); }

    Request request() const { return m_session.request(); }
    FieldBindings& fields() { return m_fields; }
    QTabWidget* tabs() const { return m_tabs; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // A tab whose controls stand in label / control rows.
    QFormLayout* addTab(const QString& text);
    // A row of the tab: the label is the control's buddy and names it for screen readers.
    template <class W> W* addField(QFormLayout* tab, const QString& label, W* control) {
        addRow(tab, label, control);
        return control;
    }
    // A check of an entry, run when the user leaves the control and again on "&OK"; it shows its
    // own warning and answers false to keep the focus on the control.
    void addCheck(QWidget* control, std::function<bool()> check);

    // "&OK": stores and checks the entries, then saves.
    void accept() override;
    // "Cancel", Escape and the close box.
    void reject() override;

protected:
    // After the record is ready (defaults set, copy taken) and before the controls show it.
    virtual void opened() {}
    void showEvent(QShowEvent* event) override;

    Store& store() { return m_store; }
    FormRecord& record() { return *m_record; }
    // The row of "&OK" and "Cancel", for forms that need more buttons.
    QHBoxLayout* buttonRow() const { return m_buttons; }

private:
    struct Check {
        QWidget* control;
        std::function<bool()> check;
    };
    void addRow(QFormLayout* tab, const QString& label, QWidget* control);
    void leftControl(const Check& check);
    bool runChecks();
    void done(int result) override;

    Store& m_store;
    IniFile& m_ini;
    std::unique_ptr<FormRecord> m_record;
    FormSession m_session;
    FormDeclaration m_declaration;
    FieldBindings m_fields;
    std::vector<Check> m_checks;
    QTabWidget* m_tabs = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_first = nullptr;
    bool m_checking = false;
};

} // namespace velatask
