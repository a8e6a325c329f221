#pragma once

#include "scheduler/Frame.h"
#include "scheduler/TickTimer.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QPrinter;
class QToolBar;

namespace velatask {

struct AppContext;
struct EditingContext;
class BrowseSCH_KeyCategory;
class BrowseSchedule;
class CsvWindow;
class ExportSchedule;
class ImportSchedule;
class BrowseCategories;
class SchedulerTick;
class ViewToDo;

// The application window: menus and toolbar from which every other window opens, the
// one-second timer that drives the scheduler, and the tray icon. Closing it ends the program.
class MainFrame : public QMainWindow, public Frame {
    Q_OBJECT
public:
    MainFrame(AppContext& ctx, SchedulerTick& tick, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Opens the start-up windows and shows the frame, or when minimising at start-up (asked for
    // by the setting or, for this run only, by `minimized`) puts it straight into the tray (an
    // ordinary minimised window without one), so that it never flashes up first.
    void startUp(bool minimized = false);
    // Saves the position and the settings without stopping anything, for the session manager's
    // requests (checkpoints, and logouts that may still be cancelled).
    void saveState();

    // Frame
    QString applicationTitle() const override { return m_title; }
    QString caption() const override;
    void setCaption(const QString& caption) override;
    bool isIconised() const override;
    void unIconise() override;
    void showNormally() override;
    void bringToForeground() override;
    Tray& tray() override;
    bool inTray() const override { return m_inTray; }
    void setInTray(bool inTray) override { m_inTray = inTray; }

    // The task windows' services: the wizards open only once the frame has them.
    void setEditing(EditingContext* editing);

    QAction* action(const QString& text) const;
    QToolBar* toolBar() const { return m_toolBar; }
    QMdiArea* mdiArea() const { return m_mdi; }
    TickTimer& tickTimer() { return m_tickTimer; }

public slots:
    // From the tray icon: a click, the menu's "&Restore", the menu's "&Close".
    void trayClicked();
    void trayClose();
    // Brings the frame to the front from the tray, from its minimised state or from behind other
    // windows: a second start of the program asks for this.
    void comeForward();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the first window does not need: the scheduler's tables, the timer, the banner.
    void finishStartUp();
    void buildMenus();
    void buildToolBar();
    // A menu item with its status-bar hint; without a handler it is shown disabled.
    QAction* addItem(QMenu* menu, const QString& text, const QString& hint,
                     std::function<void()> handler = {});
    void iconised();
    void shutDown();
    void savePosition();

    void openSetup();
    void openSchedule();
    // Opens a new task wizard beside the frame's other windows.
    template <class Wizard> void openWizard();
    void openToDo();
    void openCategories();
    // The tasks of the category in the shared Categories record, for the category list.
    QWidget* openCategorySchedule();
    // The printer of Print Setup and the reports, made on first use: it asks the print system
    // for its defaults.
    QPrinter& printer();
    void printSetup();
    void openHelp(const QString& page);
    void openExport();
    void openImport();
    bool raiseChild(CsvWindow* window);
    void showCsvWindow(CsvWindow* window);
    void about();
    void arrangeIcons();

    AppContext& m_ctx;
    EditingContext* m_editing = nullptr;
    SchedulerTick& m_tick;
    const QString m_title = QStringLiteral("Velatask");
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_banner = nullptr;
    TickTimer m_tickTimer;
    std::unique_ptr<QPrinter> m_printer;
    // The list windows open at most once; a second choice brings the open one forward.
    QPointer<BrowseSchedule> m_schedule;
    QPointer<BrowseSCH_KeyCategory> m_categorySchedule;
    QPointer<ViewToDo> m_toDo;
    QPointer<BrowseCategories> m_categories;
    QPointer<ExportSchedule> m_export;
    QPointer<ImportSchedule> m_import;
    std::vector<QAction*> m_wizardItems; // the schedule and the wizards: they edit tasks
    bool m_inTray = false;
    bool m_shutDown = false;
    bool m_tablesOpen = false;
    bool m_startUpFinished = false;
};

} // namespace velatask
