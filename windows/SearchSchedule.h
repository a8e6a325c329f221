#pragma once

#include "qbe/Criterion.h"
#include "scripting/ReentryGuard.h"
#include "ui/Request.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace velatask {

class IniFile;
class LastPerformedEntry;
class SearchField;
class Store;

// "Search the Schedule": the fields of the task form on three tabs, each with a match type, and
// the search that selects (tags in set 1), unselects, or steps through the matching tasks. It
// never adds, changes or deletes a task. "&OK" answers completed, "Cancel" cancelled; "&Edit
// This" answers completed with the found task in the Schedule buffer (editPosition()).
//
//     SearchSchedule search(store, ini, parent);
//     if (search.run() == Response::Completed) { /* re-apply the "Selected" view */ }
class SearchSchedule : public QDialog {
    Q_OBJECT
public:
    enum Tab { TaskTab, WhenTab, AdvancedTab };
    // Tag set that holds the selected tasks.
    static constexpr int kSelectedSet = 1;
    // Records read between two looks at the progress window.
    static constexpr int kRowsPerSlice = 2000;

    SearchSchedule(Store& store, IniFile& ini, QWidget* parent = nullptr);
    ~SearchSchedule() override;

    // Shows the window modally and answers the response.
    Response run();
    // The record position of the task "&Edit This" ended with (also in the Schedule buffer);
    // 0 otherwise.
    std::int64_t editPosition() const { return m_editPosition; }

    // "&Search Type": the match-type dialog for the field that has (or last had) the focus.
    void chooseSearchType();
    // "&Begin Search", and "&Find Next" while stepping through matches.
    void beginSearch();
    // "&Edit This" while stepping.
    void editThis();
    bool stepping() const { return m_stepping; }

    QTabWidget* tabs() const { return m_tabs; }
    QPushButton* searchTypeButton() const { return m_searchType; }
    QPushButton* beginButton() const { return m_begin; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    const std::vector<SearchField*>& fields() const { return m_fields; }
    SearchField* field(const QString& name) const;
    // "<n> Found" after a search that selected or unselected.
    QLabel* foundLine() const { return m_found; }

    void done(int result) override;

private:
    struct Stepping;

    // A page with its form; it becomes a tab once every page is built.
    QFormLayout* addPage(const QString& title);
    void buildTaskTab();
    void buildWhenTab();
    void buildAdvancedTab();
    void addField(SearchField* field);
    void focusChanged(QWidget* now);
    bool collect(std::vector<Criterion>& criteria);
    void search(int action);
    void showMatch();
    void stopStepping();

    Store& m_store;
    IniFile& m_ini;
    QTabWidget* m_tabs = nullptr;
    QPushButton* m_searchType = nullptr;
    QPushButton* m_begin = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_found = nullptr;
    LastPerformedEntry* m_lastRun = nullptr;
    std::vector<std::pair<QWidget*, QString>> m_pages;
    std::vector<SearchField*> m_fields;
    SearchField* m_focusField = nullptr;
    std::unique_ptr<Stepping> m_step;
    bool m_stepping = false;
    bool m_open = false;
    // A search or a match-type choice under way: its dialogs run event loops of their own.
    ReentryGuard m_busy;
    std::int64_t m_editPosition = 0;
    QMetaObject::Connection m_focusWatch;
};

} // namespace velatask
