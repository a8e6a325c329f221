#include "windows/CsvWindow.h"

#include "scheduler/AppContext.h"
#include "settings/qt/WidgetGeometry.h"
#include "ui/SubWindowPlacement.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace velatask {

CsvWindow::CsvWindow(AppContext& ctx, const QString& section, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_section(section) {
    setAttribute(Qt::WA_DeleteOnClose);
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

QHBoxLayout* CsvWindow::buttonRow(const std::function<void()>& onOk) {
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_helpButton = new QPushButton(QStringLiteral("Help"), this);
    connect(m_ok, &QPushButton::clicked, this, onOk);
    connect(m_cancel, &QPushButton::clicked, this, [this] { frameWidget()->close(); });
    connect(m_helpButton, &QPushButton::clicked, this, [this] {
        if (m_help) {
            m_help();
        }
    });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    row->addWidget(m_helpButton);
    return row;
}

} // namespace velatask
