#pragma once

#include "core/Ui.h"

class QMessageBox;
class QWidget;

namespace velatask {

// Message boxes on the desktop, modal or left open; a stop shows its final text and ends the
// process.
class QtUi : public Ui {
public:
    int messageBox(const MessageBoxSpec& box) override;
    void notice(const MessageBoxSpec& box) override;
    void stopProgram(const QString& finalText) override;

    // The window the boxes are centred on (the frame, once it exists).
    void setParentWindow(QWidget* parent) { m_parent = parent; }

private:
    QMessageBox* buildBox(const MessageBoxSpec& box) const;

    QWidget* m_parent = nullptr;
};

} // namespace velatask
