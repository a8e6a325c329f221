#include "ui/BrowseWindow.h"

#include "settings/IniFile.h"
#include "settings/qt/WidgetGeometry.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "ui/Accessibility.h"
#include "ui/BrowseList.h"
#include "ui/DialogUnits.h"
#include "ui/PageSource.h"
#include "ui/SubWindowPlacement.h"
#include "ui/WindowMnemonics.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace velatask {

BrowseWindow::BrowseWindow(Store& store, IniFile& ini, std::unique_ptr<PageSource> source,
                           BrowseDeclaration declaration, QWidget* parent)
    : QWidget(parent), m_store(store), m_ini(ini), m_source(std::move(source)),
      m_declaration(std::move(declaration)) {
    setWindowTitle(m_declaration.title);
    const std::optional<ListFormat> format = ListFormat::parse(m_declaration.format);
    m_tabs = new QTabBar(this);
    m_tabs->setAccessibleName(m_declaration.title + QStringLiteral(" order"));
    m_tabs->setDrawBase(false);
    m_list = new BrowseList(*m_source, format.value_or(ListFormat()), this);
    m_list->view()->setAccessibleName(m_declaration.title);
    m_list->setErrorReporter([this](int code) { reportReadError(code); });

    m_buttons = new QHBoxLayout;
    m_buttons->addStretch();
    m_tabRow = new QHBoxLayout;
    m_tabRow->addWidget(m_tabs, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_tabRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(m_buttons);

    connect(m_tabs, &QTabBar::currentChanged, this, &BrowseWindow::tabChanged);
    connect(m_list, &BrowseList::currentChanged, this, &BrowseWindow::highlighted);
    connect(m_list, &BrowseList::recordMenuRequested, this,
            [this](const QPoint& at) { recordMenu()->exec(at); });

    const DialogUnits units(fontMetrics());
    resize(units.toPixelsX(m_declaration.size.width()),
           units.toPixelsY(m_declaration.size.height()));
}

BrowseWindow::~BrowseWindow() = default;

void BrowseWindow::addEditActions(const QString& insertText, const std::function<void()>& insert,
                                  const std::function<void()>& change,
                                  const std::function<void()>& remove) {
    addButton(insertText, insert);
    addButton(QStringLiteral("&Change"), change, true);
    addButton(QStringLiteral("&Delete"), remove, true);
    setRecordMenu({{insertText, insert},
                   {QStringLiteral("&Change"), change, true},
                   {QStringLiteral("&Delete"), remove, true}});
    connect(m_list, &BrowseList::insertPressed, this, insert);
    connect(m_list, &BrowseList::deletePressed, this, remove);
    connect(m_list, &BrowseList::changeRequested, this, change);
}

void BrowseWindow::addTab(BrowseTab tab) {
    m_tabList.push_back(std::move(tab));
    const QSignalBlocker quiet(m_tabs); // the first tab is applied by open()
    m_tabs->addTab(m_tabList.back().text);
}

QPushButton* BrowseWindow::addButton(const QString& text, std::function<void()> action,
                                     bool needsRecord) {
    auto* b = new QPushButton(text, this);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, std::move(action));
    m_buttons->addWidget(b);
    if (needsRecord) {
        m_recordButtons.append(b);
        b->setEnabled(!m_list->isEmpty());
    }
    return b;
}

QPushButton* BrowseWindow::addTabButton(int tab, const QString& text,
                                        std::function<void()> action) {
    auto* b = new QPushButton(text, this);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, std::move(action));
    m_tabRow->addWidget(b);
    m_tabButtons.emplace_back(tab, b);
    b->setVisible(m_tabs->currentIndex() == tab);
    return b;
}

void BrowseWindow::showTabButtons(int tab) {
    for (const auto& [owner, b] : m_tabButtons) {
        b->setVisible(owner == tab);
    }
}

QPushButton* BrowseWindow::button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

std::unique_ptr<QMenu> BrowseWindow::buildMenu(const QList<BrowseMenuItem>& items) {
    auto menu = std::make_unique<QMenu>(this);
    for (const BrowseMenuItem& item : items) {
        if (item.text.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(item.text);
        a->setEnabled(item.available && (!item.needsRecord || !m_list->isEmpty()));
        if (item.action) {
            // Queued, so the menu has closed before a form opens.
            connect(a, &QAction::triggered, this, [this, action = item.action] {
                QMetaObject::invokeMethod(this, action, Qt::QueuedConnection);
            });
        }
    }
    return menu;
}

std::unique_ptr<QMenu> BrowseWindow::windowMenu() {
    return buildMenu(m_windowMenu);
}

std::unique_ptr<QMenu> BrowseWindow::recordMenu() {
    return buildMenu(m_recordMenu);
}

void BrowseWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_windowMenu.isEmpty()) {
        windowMenu()->exec(event->globalPos());
    }
}

void BrowseWindow::setRecordAccess(std::function<int(std::int64_t)> load,
                                   std::function<std::int64_t()> written) {
    m_load = std::move(load);
    m_written = std::move(written);
}

bool BrowseWindow::loadCurrent() {
    const PageSource::Row* row = m_list->currentRow();
    if (!row || !m_load) {
        return false;
    }
    if (m_load(row->position) != 0) {
        StandardWarning(m_store, 35, m_declaration.tableName);
        m_list->reload();
        return false;
    }
    return true;
}

Response BrowseWindow::callForm(Request request, const std::function<Response(Request)>& form) {
    if (request != Request::Insert && !loadCurrent()) {
        return Response::Cancelled;
    }
    m_inForm = true;
    const Response response = form(request);
    m_inForm = false;
    const bool written = response == Response::Completed &&
                         (request == Request::Insert || request == Request::Change);
    if (written && m_written) {
        m_list->showRecord(m_written());
    } else {
        m_list->reload();
    }
    return response;
}

bool BrowseWindow::open(int firstTab) {
    if (m_tabList.empty() || !m_tablesOpen) {
        return false;
    }
    firstTab = std::clamp(firstTab, 0, int(m_tabList.size()) - 1);
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(firstTab);
    }
    const QString saved = m_declaration.layoutEntry.isEmpty()
                              ? QString()
                              : m_ini.read(m_declaration.section, m_declaration.layoutEntry);
    if (const std::optional<ListFormat> layout = ListFormat::parse(saved)) {
        m_list->applyLayout(*layout);
    }
    showTabButtons(firstTab);
    const BrowseTab& tab = m_tabList.at(std::size_t(firstTab));
    m_list->setLocatorComponent(tab.locatorComponent);
    int code = tab.apply ? tab.apply() : 0;
    if (code == 0) {
        code = m_list->start();
    } else {
        reportReadError(code);
    }
    updateButtons();
    Accessibility::nameControls(this);
    return code == 0;
}

void BrowseWindow::tabChanged(int index) {
    if (index < 0 || index >= int(m_tabList.size())) {
        return;
    }
    showTabButtons(index);
    const BrowseTab& tab = m_tabList.at(std::size_t(index));
    const PageSource::Row* row = m_list->currentRow();
    const std::int64_t position = row ? row->position : 0;
    m_list->setLocatorComponent(tab.locatorComponent);
    if (const int code = tab.apply ? tab.apply() : 0; code != 0) {
        reportReadError(code);
        return;
    }
    // The highlighted record stays highlighted in the new order (or the list starts at its top
    // when the new order leaves it out).
    m_list->pager().clear();
    if (position != 0) {
        m_list->showRecord(position);
    } else {
        m_list->start();
    }
}

void BrowseWindow::reapplyTab() {
    tabChanged(m_tabs->currentIndex());
}

void BrowseWindow::highlighted() {
    updateButtons();
    if (m_highlight && !m_inForm) {
        if (const PageSource::Row* row = m_list->currentRow()) {
            m_highlight(*row);
        }
    }
}

void BrowseWindow::updateButtons() {
    for (QPushButton* b : m_recordButtons) {
        b->setEnabled(!m_list->isEmpty());
    }
}

void BrowseWindow::reportReadError(int code) {
    if (m_store.lastError().code != code) {
        m_store.setLastError(makeStoreError(code));
    }
    StandardWarning(m_store, 35, m_declaration.tableName);
}

QMdiSubWindow* BrowseWindow::showIn(QMdiArea* area) {
    new WindowMnemonics(this); // the frame's menu bar shares the child's Alt+letters
    QMdiSubWindow* sub = area->addSubWindow(this);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    sub->resize(sub->sizeHint().expandedTo(size()));
    WidgetGeometry::restore(sub, m_ini, m_declaration.section);
    sub->show();
    SubWindowPlacement::keepInside(sub, area);
    m_list->setFocus();
    return sub;
}

Response BrowseWindow::runModal(QWidget* parent) {
    QDialog host(parent);
    m_host = &host;
    host.setWindowTitle(windowTitle());
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(this);
    host.resize(size());
    WidgetGeometry::restore(&host, m_ini, m_declaration.section);
    m_list->setFocus();
    m_response = Response::Cancelled;
    host.exec();
    saveWindow();
    setParent(nullptr);
    m_host = nullptr;
    return m_response;
}

void BrowseWindow::finish(Response response) {
    m_response = response;
    closeWindow();
}

QWidget* BrowseWindow::frameWidget() {
    if (m_host) {
        return m_host;
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return sub;
    }
    return window();
}

void BrowseWindow::closeWindow() {
    frameWidget()->close();
}

void BrowseWindow::saveWindow() {
    if (m_saved) {
        return;
    }
    m_saved = true;
    WidgetGeometry::save(frameWidget(), m_ini, m_declaration.section);
    if (!m_declaration.layoutEntry.isEmpty()) {
        m_ini.write(m_declaration.section, m_declaration.layoutEntry, m_list->layout().toString());
    }
}

void BrowseWindow::closeEvent(QCloseEvent* event) {
    saveWindow();
    event->accept();
}

} // namespace velatask
