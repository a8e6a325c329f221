#pragma once

#include "core/Ui.h"

class QWidget;

namespace velatask {

// Message boxes on the desktop; a stop shows its final text and ends the process.
class QtUi : public Ui {
public:
    int messageBox(const MessageBoxSpec& box) override;
    void stopProgram(const QString& finalText) override;

    // The window the boxes are centred on (the frame, once it exists).
    void setParentWindow(QWidget* parent) { m_parent = parent; }

private:
    QWidget* m_parent = nullptr;
};

} // namespace velatask
