#include "settings/qt/WidgetGeometry.h"

#include "settings/IniFile.h"
#include "settings/WindowPosition.h"

#include <QWidget>

namespace velatask {

WidgetGeometry::WidgetGeometry(QWidget* widget) : m_widget(widget) {
    const bool maximised = widget->windowState().testFlag(Qt::WindowMaximized);
    m_normal = maximised && widget->normalGeometry().isValid() ? widget->normalGeometry()
                                                               : widget->geometry();
}

bool WidgetGeometry::isMaximized() const {
    return m_widget->windowState().testFlag(Qt::WindowMaximized);
}

bool WidgetGeometry::isIconised() const {
    return m_widget->windowState().testFlag(Qt::WindowMinimized);
}

bool WidgetGeometry::isResizable() const {
    return m_widget->minimumSize() != m_widget->maximumSize();
}

QRect WidgetGeometry::normalRect() const {
    return m_normal;
}

void WidgetGeometry::setRect(const QRect& rect) {
    m_normal = rect;
    m_widget->setGeometry(rect);
}

void WidgetGeometry::setPosition(const QPoint& topLeft) {
    m_widget->setGeometry(QRect(topLeft, m_widget->size()));
}

void WidgetGeometry::maximise() {
    m_widget->setWindowState(m_widget->windowState() | Qt::WindowMaximized);
}

void WidgetGeometry::unmaximise() {
    m_widget->setWindowState(m_widget->windowState() & ~Qt::WindowMaximized);
}

void WidgetGeometry::restore(QWidget* widget, const IniFile& ini, const QString& section) {
    WidgetGeometry g(widget);
    RestoreWindowPosition(ini, section, g);
}

void WidgetGeometry::save(QWidget* widget, IniFile& ini, const QString& section) {
    WidgetGeometry g(widget);
    SaveWindowPosition(ini, section, g);
}

} // namespace velatask
