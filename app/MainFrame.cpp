#include "app/MainFrame.h"

#include "app/SharedFiles.h"
#include "core/Ui.h"
#include "editing/AddMessageWizard.h"
#include "editing/AddProgramWizard.h"
#include "editing/AddTaskWizard.h"
#include "platform/Tray.h"
#include "resources/Resources.h"
#include "scheduler/AppContext.h"
#include "scheduler/SchedulerTick.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/qt/WidgetGeometry.h"
#include "store/Store.h"
#include "ui/ReportPrinter.h"
#include "windows/AboutDialog.h"
#include "windows/BrowseCategories.h"
#include "windows/BrowseSCH_KeyCategory.h"
#include "windows/BrowseSchedule.h"
#include "windows/ExportSchedule.h"
#include "windows/ImportSchedule.h"
#include "windows/Reports.h"
#include "windows/SetupDialog.h"
#include "windows/ViewToDo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

namespace velatask {
namespace {

const QString kSection = QStringLiteral("Main");
const QSize kBannerSize(160, 32);
// When the frame is not shown at start-up, the rest of the start-up waits no longer than this.
constexpr int kFinishStartUpLatestMs = 1000;

// Opens a list window made by `make` as a child of the frame, or brings forward the one already
// open; answers the window, or null when it could not open.
template <class W, class Make> W* openOnce(QPointer<W>& open, QMdiArea* area, Make make) {
    if (open) {
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(open->frameWidget()));
        return open;
    }
    W* window = make();
    if (!window->open()) {
        delete window;
        return nullptr;
    }
    open = window;
    window->showIn(area);
    return window;
}

} // namespace

MainFrame::MainFrame(AppContext& ctx, SchedulerTick& tick, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_tick(tick),
      m_tickTimer(*ctx.clock, [this] { m_tick.tick(); }) {
    setWindowTitle(m_title);
    setWindowIcon(resourceIcon(QStringLiteral("CLOCK.ICO")));
    m_mdi = new QMdiArea(this);
    m_mdi->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_mdi);
    buildMenus();
    buildToolBar();
    statusBar()->showMessage(tr("Ready"));
    resize(720, 480);
    WidgetGeometry::restore(this, *m_ctx.ini, kSection);

    // The window comes first: the tables, the timer and the banner follow once it is on the
    // screen, or after a while when it is not shown at all.
    QTimer::singleShot(kFinishStartUpLatestMs, this, &MainFrame::finishStartUp);
    // The session manager asks at checkpoints and at logouts that may still be cancelled: the
    // program saves its position and settings and goes on working.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { saveState(); });
}

MainFrame::~MainFrame() {
    shutDown();
}

QAction* MainFrame::addItem(QMenu* menu, const QString& text, const QString& hint,
                            std::function<void()> handler) {
    QAction* a = menu->addAction(text);
    a->setStatusTip(hint);
    if (handler) {
        connect(a, &QAction::triggered, this, std::move(handler));
    } else {
        a->setEnabled(false); // its window is not part of this version yet
    }
    return a;
}

void MainFrame::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addItem(file, QStringLiteral("&Setup"), QStringLiteral("Set preferences"),
            [this] { openSetup(); });
    addItem(file, QStringLiteral("&Print Setup ..."), QStringLiteral("Setup printer"),
            [this] { printSetup(); });
    file->addSeparator();
    addItem(file, QStringLiteral("&Import Schedule"),
            QStringLiteral("Import from a Comma-Delimited Text File"), [this] { openImport(); });
    addItem(file, QStringLiteral("&Export Schedule"),
            QStringLiteral("Export to a Comma-Delimited Text File"), [this] { openExport(); });
    file->addSeparator();
    addItem(file, QStringLiteral("E&xit"), QStringLiteral("Exit this application"),
            [this] { close(); });

    QMenu* schedule = menuBar()->addMenu(QStringLiteral("&Schedule"));
    QAction* view = addItem(schedule, QStringLiteral("&View Schedule"),
                            QStringLiteral("Browse Schedule"), [this] { openSchedule(); });
    view->setIcon(resourceIcon(QStringLiteral("CAL2.ICO")));
    view->setIconText(QStringLiteral("Schedule"));
    QMenu* wizards = schedule->addMenu(QStringLiteral("&Wizards"));
    wizards->menuAction()->setStatusTip(
        QStringLiteral("Quickly make schedule additions and changes"));
    QAction* addMessage = addItem(wizards, QStringLiteral("Add &Message"),
                                  QStringLiteral("Add a message to be displayed"),
                                  [this] { openWizard<AddMessageWizard>(); });
    addMessage->setIcon(resourceIcon(QStringLiteral("MSG.ICO")));
    addMessage->setIconText(QStringLiteral("Add Message"));
    QAction* addProgram = addItem(wizards, QStringLiteral("Add &Program"),
                                  QStringLiteral("Add a program to the schedule"),
                                  [this] { openWizard<AddProgramWizard>(); });
    addProgram->setIcon(resourceIcon(QStringLiteral("WIZARD.ICO")));
    addProgram->setIconText(QStringLiteral("Add Program"));
    QAction* addTask = addItem(wizards, QStringLiteral("Generic &Add "),
                               QStringLiteral("Add a message, program, both or neither"),
                               [this] { openWizard<AddTaskWizard>(); });
    m_wizardItems = {view, addMessage, addProgram, addTask};
    setEditing(nullptr);
    schedule->addSeparator();
    QAction* toDo = addItem(schedule, QStringLiteral("&To Do List"), QStringLiteral("To Do List"),
                            [this] { openToDo(); });
    toDo->setIcon(resourceIcon(QStringLiteral("OK.ICO")));
    toDo->setIconText(QStringLiteral("To Do"));
    addItem(schedule, QStringLiteral("&Categories"), QStringLiteral("Browse Categories"),
            [this] { openCategories(); });

    QMenu* reports = menuBar()->addMenu(QStringLiteral("&Reports"));
    reports->menuAction()->setStatusTip(QStringLiteral("Report data"));
    QMenu* byWhat = reports->addMenu(QStringLiteral("&Schedule"));
    addItem(byWhat, QStringLiteral("&Date"), QStringLiteral("Print ordered by Date"),
            [this] { PrintSCH_KeyDate(*m_ctx.store, printer(), this); });
    addItem(byWhat, QStringLiteral("&Category"), QStringLiteral("Print ordered by Category"),
            [this] { PrintSCH_KeyCategory(*m_ctx.store, printer(), this); });
    addItem(byWhat, QStringLiteral("&Brief Schedule"), QString(),
            [this] { BriefReport(*m_ctx.store, printer(), this); });
    addItem(reports, QStringLiteral("&Categories"), QStringLiteral("Print ordered by Category"),
            [this] { PrintCAT_KeyCategory(*m_ctx.store, printer(), this); });
    addItem(reports, QStringLiteral("&To Do"), QStringLiteral("Print To Do List"),
            [this] { PrintTodoList(*m_ctx.store, printer(), this); });

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->menuAction()->setStatusTip(QStringLiteral("Create and Arrange windows"));
    addItem(window, QStringLiteral("T&ile"), QStringLiteral("Make all open windows visible"),
            [this] { m_mdi->tileSubWindows(); });
    addItem(window, QStringLiteral("&Cascade"), QStringLiteral("Stack all open windows"),
            [this] { m_mdi->cascadeSubWindows(); });
    addItem(window, QStringLiteral("&Arrange Icons"), QStringLiteral("Align all window icons"),
            [this] { arrangeIcons(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->menuAction()->setStatusTip(QStringLiteral("Windows Help"));
    addItem(help, QStringLiteral("&Contents"), QStringLiteral("View the contents of the help file"),
            [this] { openHelp(QStringLiteral("index.html")); });
    addItem(help, QStringLiteral("&Search for Help On..."),
            QStringLiteral("Search for help on a subject"),
            [this] { openHelp(QStringLiteral("index.html#topics")); });
    addItem(help, QStringLiteral("&How to Use Help"), QStringLiteral("How to use Windows Help"),
            [this] { openHelp(QStringLiteral("help.html")); });
    help->addSeparator();
    addItem(help, QStringLiteral("&About"), QStringLiteral("About this program"),
            [this] { about(); });
}

void MainFrame::buildToolBar() {
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(32, 32));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // Each button is its menu item's own action, so the menu item is the one place that opens
    // the window.
    for (const char* text : {"Add &Program", "Add &Message", "&View Schedule", "&To Do List"}) {
        m_toolBar->addAction(action(QLatin1String(text)));
    }
    m_toolBar->addSeparator();
    // Drawn once the window is on the screen: its lettering needs a font of its own.
    m_banner = new QLabel(m_toolBar);
    m_banner->setContentsMargins(8, 0, 8, 0);
    m_banner->setFixedSize(kBannerSize.grownBy(m_banner->contentsMargins()));
    m_toolBar->addWidget(m_banner);
}

QAction* MainFrame::action(const QString& text) const {
    for (QAction* a : findChildren<QAction*>()) {
        if (a->text() == text) {
            return a;
        }
    }
    return nullptr;
}

void MainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_startUpFinished && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
    }
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() &&
        windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        // After this exposure has painted the window.
        QMetaObject::invokeMethod(this, &MainFrame::finishStartUp, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::finishStartUp() {
    if (m_startUpFinished || m_shutDown) {
        return;
    }
    m_startUpFinished = true;
    m_banner->setPixmap(resourceIcon(QStringLiteral("BANNER")).pixmap(kBannerSize));
    // The tables the scheduler works on stay open for the frame's whole life.
    Store& store = *m_ctx.store;
    m_tablesOpen = store.HIS.open() == StoreCode::NoError &&
                   store.SCH1.open() == StoreCode::NoError &&
                   store.SCR.open() == StoreCode::NoError;
    m_tickTimer.start();
}

void MainFrame::startUp(bool minimized) {
    if (m_ctx.settings->showScheduleAtStartUp) {
        openSchedule();
    }
    if (m_ctx.settings->startUpToDo) {
        openToDo();
    }
    if (!m_ctx.settings->startUpMinimized && !minimized) {
        show();
        return;
    }
    // Straight into the tray, never shown on the way. The frame is not given the minimised state
    // there: clearing that state on a hidden window maps it with the iconic hint still set, and
    // the window manager may then iconify the frame that was just brought out of the tray.
    if (!m_ctx.settings->noTray && tray().add(caption().left(kTrayTipLength))) {
        hide();
        m_inTray = true;
        return;
    }
    showMinimized();
}

QString MainFrame::caption() const {
    return windowTitle();
}

void MainFrame::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

bool MainFrame::isIconised() const {
    return m_inTray || windowState().testFlag(Qt::WindowMinimized);
}

void MainFrame::unIconise() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
}

void MainFrame::showNormally() {
    showNormal();
}

void MainFrame::bringToForeground() {
    raise();
    activateWindow();
}

Tray& MainFrame::tray() {
    return *m_ctx.tray;
}

void MainFrame::trayClicked() {
    RestoreFromTray(*this);
}

void MainFrame::trayClose() {
    RestoreFromTray(*this);
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainFrame::comeForward() {
    if (m_inTray) {
        RestoreFromTray(*this);
        return;
    }
    if (isIconised()) {
        unIconise();
    }
    show();
    bringToForeground();
}

void MainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isIconised()) {
        // Let the window system finish minimising before the frame is hidden.
        QMetaObject::invokeMethod(
            this, [this] { iconised(); }, Qt::QueuedConnection);
    }
}

void MainFrame::iconised() {
    if (m_inTray || m_ctx.settings->noTray || !isIconised()) {
        return;
    }
    if (tray().add(caption().left(kTrayTipLength))) {
        hide();
        m_inTray = true;
    }
}

void MainFrame::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
    QApplication::quit();
}

void MainFrame::shutDown() {
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    m_tickTimer.stop();
    // A task still being added is taken back, not left half made.
    for (FormWindow* form : findChildren<FormWindow*>()) {
        if (form->isVisible()) {
            form->reject();
        }
    }
    if (m_tablesOpen) {
        m_ctx.store->HIS.close();
        m_ctx.store->SCH1.close();
        m_ctx.store->SCR.close();
    }
    savePosition();
}

void MainFrame::saveState() {
    savePosition();
    m_ctx.settings->save(*m_ctx.ini);
}

void MainFrame::savePosition() {
    // A frame in the tray keeps the position it was last shown at, as a minimised one does.
    if (!m_inTray) {
        WidgetGeometry::save(this, *m_ctx.ini, kSection);
    }
}

void MainFrame::openSetup() {
    SetupDialog setup(m_ctx, this);
    setup.exec();
}

void MainFrame::openSchedule() {
    if (m_editing) {
        openOnce(m_schedule, m_mdi, [this] { return new BrowseSchedule(*m_editing); });
    }
}

void MainFrame::setEditing(EditingContext* editing) {
    m_editing = editing;
    for (QAction* item : m_wizardItems) {
        item->setEnabled(editing != nullptr);
    }
}

template <class Wizard> void MainFrame::openWizard() {
    if (!m_editing) {
        return;
    }
    // A window of its own: the frame, its timer and the other windows go on while it is open.
    auto* wizard = new Wizard(*m_editing, Request::Insert, this);
    connect(wizard, &QDialog::finished, wizard, &QObject::deleteLater);
    if (!wizard->prepare()) {
        delete wizard;
        return;
    }
    wizard->show();
}

void MainFrame::openToDo() {
    openOnce(m_toDo, m_mdi, [this] { return new ViewToDo(*m_ctx.store, *m_ctx.ini); });
}

void MainFrame::openCategories() {
    std::function<QWidget*()> schedule;
    if (m_editing) {
        schedule = [this] { return openCategorySchedule(); };
    }
    openOnce(m_categories, m_mdi, [this, schedule] {
        return new BrowseCategories(*m_ctx.store, *m_ctx.ini, nullptr, schedule);
    });
}

QWidget* MainFrame::openCategorySchedule() {
    return openOnce(m_categorySchedule, m_mdi,
                    [this] { return new BrowseSCH_KeyCategory(*m_editing); });
}

QPrinter& MainFrame::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
        setUpReportPrinter(*m_printer);
    }
    return *m_printer;
}

void MainFrame::printSetup() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void MainFrame::openHelp(const QString& page) {
    QUrl url = QUrl::fromLocalFile(SharedFiles::manualPage(page.section(QLatin1Char('#'), 0, 0)));
    url.setFragment(page.section(QLatin1Char('#'), 1));
    QDesktopServices::openUrl(url);
}

void MainFrame::openExport() {
    if (!raiseChild(m_export)) {
        showCsvWindow(m_export = new ExportSchedule(m_ctx));
    }
}

void MainFrame::openImport() {
    if (!raiseChild(m_import)) {
        m_import =
            ImportSchedule::open(m_ctx, [this] { return ImportSchedule::askImportFile(this); });
        if (m_import) {
            showCsvWindow(m_import);
        }
    }
}

// Brings forward the export or import window already open; false when there is none.
bool MainFrame::raiseChild(CsvWindow* window) {
    if (!window) {
        return false;
    }
    m_mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->frameWidget()));
    return true;
}

void MainFrame::showCsvWindow(CsvWindow* window) {
    window->setHelp([this] { openHelp(QStringLiteral("index.html#csv")); });
    window->showIn(m_mdi);
}

void MainFrame::about() {
    AboutDialog dialog(*m_ctx.ini, QApplication::applicationVersion(), this);
    dialog.exec();
}

void MainFrame::arrangeIcons() {
    // Minimised child windows line up along the bottom edge of the area.
    int x = 0;
    for (QMdiSubWindow* w : m_mdi->subWindowList()) {
        if (w->isMinimized()) {
            w->move(x, m_mdi->viewport()->height() - w->height());
            x += w->width();
        }
    }
}

} // namespace velatask
