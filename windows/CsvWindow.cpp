#include "windows/CsvWindow.h"

#include "scheduler/AppContext.h"
#include "settings/qt/WidgetGeometry.h"
#include "ui/SubWindowPlacement.h"
#include "ui/WindowMnemonics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace velatask {

CsvWindow::CsvWindow(AppContext& ctx, const QString& section, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_section(section) {
    setAttribute(Qt::WA_DeleteOnClose);
    new WindowMnemonics(this); // Alt+H is "&header" here, not the frame's Help menu
}

QWidget* CsvWindow::frameWidget() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return sub;
    }
    return this;
}

QMdiSubWindow* CsvWindow::showIn(QMdiArea* area) {
    QMdiSubWindow* sub = area->addSubWindow(this);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(area->window()->windowIcon());
    sub->resize(sub->sizeHint());
    if (m_ctx.ini) {
        WidgetGeometry::restore(sub, *m_ctx.ini, m_section);
    }
    sub->show();
    SubWindowPlacement::keepInside(sub, area);
    return sub;
}

void CsvWindow::closeEvent(QCloseEvent* event) {
    if (m_ctx.ini) {
        WidgetGeometry::save(frameWidget(), *m_ctx.ini, m_section);
    }
    QWidget::closeEvent(event);
}

QPushButton* CsvWindow::makeButton(const QString& text, const std::function<void()>& onClick) {
    auto* b = new QPushButton(text, this);
    connect(b, &QPushButton::clicked, this, onClick);
    return b;
}

QPushButton* CsvWindow::button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

void CsvWindow::layOut(QLayout* lists, QWidget* option, const std::function<void()>& onOk) {
    m_ok = makeButton(QStringLiteral("&OK"), onOk);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = makeButton(QStringLiteral("&Cancel"), [this] { frameWidget()->close(); });
    m_helpButton = makeButton(QStringLiteral("Help"), [this] {
        if (m_help) {
            m_help();
        }
    });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    row->addWidget(m_helpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(option);
    layout->addLayout(row);
}

void CsvWindow::setKeyboardOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* w : controls) {
        if (previous) {
            setTabOrder(previous, w);
        }
        previous = w;
    }
    for (QWidget* w : {m_ok, m_cancel, m_helpButton}) {
        setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace velatask
