#pragma once

#include "ui/PageSource.h"
#include "ui/Request.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QHBoxLayout;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QTabBar;

namespace velatask {

class BrowseList;
class IniFile;
class Store;

// One tab of a browse: its text and what it does to the window's cursor (order, range,
// filter); answers the store code.
struct BrowseTab {
    QString text;
    std::function<int()> apply;
    int locatorComponent = 0; // the first key component after the range
};

// An item of a browse's right-click menus; an empty text is a separator.
struct BrowseMenuItem {
    QString text;
    std::function<void()> action;
    bool needsRecord = false; // greyed while the list is empty
    bool available = true;    // false: greyed, its window is not part of this version yet
};

// What makes one browse different from the others, apart from its tabs, buttons and menus.
struct BrowseDeclaration {
    QString section; // its section of the settings file
    QString title;
    QString format;      // the list format
    QSize size;          // first size, in dialog units
    QString tableName;   // the table as warnings name it ("Todo")
    QString layoutEntry; // "?Browse:1" when the column layout is remembered
};

// The frame of every browse window: tabs that choose the order, the page-loaded list, a row of
// buttons, the window's and the list's right-click menus, forms called on the highlighted
// record with the list read again afterwards, and the window's remembered size, position and
// column layout. A window is an MDI child of the frame ("opened"), or a modal dialog of its own
// ("called", runModal()).
class BrowseWindow : public QWidget {
    Q_OBJECT
public:
    BrowseWindow(Store& store, IniFile& ini, std::unique_ptr<PageSource> source,
                 BrowseDeclaration declaration, QWidget* parent = nullptr);
    ~BrowseWindow() override;

    PageSource& source() { return *m_source; }
    BrowseList* list() const { return m_list; }
    QTabBar* tabs() const { return m_tabs; }
    const BrowseDeclaration& declaration() const { return m_declaration; }

    void addTab(BrowseTab tab);
    // A button of the row below the list; one that needs a record is greyed on an empty list.
    QPushButton* addButton(const QString& text, std::function<void()> action,
                           bool needsRecord = false);
    // A button beside the tabs that belongs to one tab: shown only while that tab is chosen.
    QPushButton* addTabButton(int tab, const QString& text, std::function<void()> action);
    QPushButton* button(const QString& text) const;
    // What every list whose records a form edits has: the buttons and the right-click record
    // menu items insertText (as given), "&Change" and "&Delete", the Insert and Delete keys, and
    // Enter or a double click on a row for a change.
    void addEditActions(const QString& insertText, const std::function<void()>& insert,
                        const std::function<void()>& change, const std::function<void()>& remove);
    void setWindowMenu(QList<BrowseMenuItem> items) { m_windowMenu = std::move(items); }
    void setRecordMenu(QList<BrowseMenuItem> items) { m_recordMenu = std::move(items); }
    // The menus as they would show now.
    std::unique_ptr<QMenu> windowMenu();
    std::unique_ptr<QMenu> recordMenu();

    // How the highlighted row reaches the shared record buffer before a form (watched, so that
    // a change by someone else meanwhile is found), and where the buffer's record stands after.
    void setRecordAccess(std::function<int(std::int64_t position)> load,
                         std::function<std::int64_t()> written);
    // Loads the highlighted record into the buffer; false (after warning 35) when it is gone.
    bool loadCurrent();
    // Calls a form: with the highlighted record for a change or delete. Afterwards the list is
    // read again, on the record written when the form completed an insert or change.
    Response callForm(Request request, const std::function<Response(Request)>& form);

    // Called with the highlighted row whenever the user highlights another one (not while a
    // form called from here is open).
    void setHighlightHook(std::function<void(const PageSource::Row&)> hook) {
        m_highlight = std::move(hook);
    }

    // Reads the first page of a tab (the first one unless told) and applies the remembered
    // column layout; false when the store failed (and has said so).
    bool open(int firstTab = 0);
    // Applies the current tab again (its range or filter may have changed): the highlighted
    // record stays highlighted when it still belongs to the view, else the list starts at its top.
    void reapplyTab();
    // Runs the window as a modal dialog ("called" rather than "opened") until finish().
    Response runModal(QWidget* parent);
    void finish(Response response);
    // Puts the window into the frame's area at its remembered place.
    QMdiSubWindow* showIn(QMdiArea* area);
    // The window's own frame: the MDI child around it, or itself.
    QWidget* frameWidget();
    void closeWindow();

protected:
    // A window whose tables did not open (the opener has said why) does not open.
    void setTablesOpen(bool open) { m_tablesOpen = open; }
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::unique_ptr<QMenu> buildMenu(const QList<BrowseMenuItem>& items);
    void tabChanged(int index);
    void updateButtons();
    void showTabButtons(int tab);
    void reportReadError(int code);
    void highlighted();
    void saveWindow();

    Store& m_store;
    IniFile& m_ini;
    std::unique_ptr<PageSource> m_source;
    BrowseDeclaration m_declaration;
    std::vector<BrowseTab> m_tabList;
    QTabBar* m_tabs = nullptr;
    BrowseList* m_list = nullptr;
    QHBoxLayout* m_tabRow = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    QList<QPushButton*> m_recordButtons;
    std::vector<std::pair<int, QPushButton*>> m_tabButtons;
    QList<BrowseMenuItem> m_windowMenu;
    QList<BrowseMenuItem> m_recordMenu;
    std::function<int(std::int64_t)> m_load;
    std::function<std::int64_t()> m_written;
    std::function<void(const PageSource::Row&)> m_highlight;
    QDialog* m_host = nullptr;
    Response m_response = Response::Cancelled;
    bool m_inForm = false;
    bool m_tablesOpen = true;
    bool m_saved = false;
};

} // namespace velatask
