#pragma once

#include "settings/WindowGeometry.h"

class QWidget;

namespace velatask {

class IniFile;

// The window-geometry view of a Qt widget, for the position memory.
class WidgetGeometry : public WindowGeometry {
public:
    explicit WidgetGeometry(QWidget* widget);

    bool isMaximized() const override;
    bool isIconised() const override;
    bool isResizable() const override;
    QRect normalRect() const override;
    void setRect(const QRect& rect) override;
    void setPosition(const QPoint& topLeft) override;
    void maximise() override;
    void unmaximise() override;

    // Restores the widget from its section / saves it there.
    static void restore(QWidget* widget, const IniFile& ini, const QString& section);
    static void save(QWidget* widget, IniFile& ini, const QString& section);

private:
    QWidget* m_widget;
    // Taken when the adapter is made: un-maximising reaches the window manager only later.
    QRect m_normal;
};

} // namespace velatask
