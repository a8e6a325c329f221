#include "windows/MessageWindow.h"

#include "resources/Resources.h"
#include "scheduler/AppContext.h"
#include "settings/qt/WidgetGeometry.h"
#include "store/Store.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velatask {
namespace {

const QString kSection = QStringLiteral("ShowMessage");

} // namespace

MessageWindow::MessageWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_message(ctx.PendingMessage) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Message"));
    setWindowIcon(resourceIcon(QStringLiteral("CLOCK.ICO")));

    m_text = new QPlainTextEdit(m_message, this);
    m_text->setReadOnly(true);
    m_text->setToolTip(QStringLiteral("Message to display"));
    m_close =
        new QPushButton(resourceIcon(QStringLiteral("OK.ICO")), QStringLiteral("Cl&ose"), this);
    m_addToDo = new QPushButton(resourceIcon(QStringLiteral("NEXTPAGE.ICO")),
                                QStringLiteral("&Add to To Do List"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_close);
    buttons->addStretch();
    buttons->addWidget(m_addToDo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    resize(420, 220);

    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_addToDo, &QPushButton::clicked, this, &MessageWindow::addToToDoList);

    WidgetGeometry::restore(this, *m_ctx.ini, kSection);
    ++m_ctx.OpenMessageWindows;
    m_counted = true;
    m_close->setFocus();
}

MessageWindow::~MessageWindow() {
    if (m_counted) {
        --m_ctx.OpenMessageWindows;
    }
}

void MessageWindow::addToToDoList() {
    ToDoView& tdo = m_ctx.store->TDO;
    if (tdo.open() != StoreCode::NoError) {
        return;
    }
    tdo.clearBuffer();
    tdo.buffer().ToDo = m_message.left(ToDoRecord::kToDoWidth);
    tdo.buffer().Priority = 5;
    tdo.buffer().Done = 0;
    tdo.add(); // a failure is not reported
    tdo.close();
}

void MessageWindow::closeEvent(QCloseEvent* event) {
    WidgetGeometry::save(this, *m_ctx.ini, kSection);
    if (m_counted) {
        --m_ctx.OpenMessageWindows;
        m_counted = false;
    }
    event->accept();
}

} // namespace velatask
