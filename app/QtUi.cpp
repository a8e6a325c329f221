#include "app/QtUi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>

namespace velatask {
namespace {

struct ButtonMap {
    int ui;
    QMessageBox::StandardButton qt;
};

constexpr ButtonMap kButtons[] = {
    {Ui::Ok, QMessageBox::Ok},       {Ui::Yes, QMessageBox::Yes},
    {Ui::No, QMessageBox::No},       {Ui::Abort, QMessageBox::Abort},
    {Ui::Retry, QMessageBox::Retry}, {Ui::Cancel, QMessageBox::Cancel}};

QMessageBox::Icon iconOf(int icon) {
    switch (icon) {
    case Ui::Exclamation:
        return QMessageBox::Warning;
    case Ui::Question:
        return QMessageBox::Question;
    case Ui::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtUi::messageBox(const MessageBoxSpec& box) {
    // Texts break lines with carriage returns.
    QString text = box.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox mb(iconOf(box.icon), box.title.isEmpty() ? QStringLiteral(" ") : box.title, text,
                   QMessageBox::NoButton, m_parent);
    mb.setTextFormat(Qt::PlainText);
    for (const ButtonMap& b : kButtons) {
        if (box.buttons & b.ui) {
            mb.addButton(b.qt);
        }
    }
    for (const ButtonMap& b : kButtons) {
        if (box.defaultButton == b.ui) {
            mb.setDefaultButton(b.qt);
        }
    }
    // Closing the box answers with its safest choice.
    if (box.buttons & Ui::Cancel) {
        mb.setEscapeButton(QMessageBox::Cancel);
    } else if (box.buttons & Ui::Abort) {
        mb.setEscapeButton(QMessageBox::Abort);
    } else if (box.buttons & Ui::No) {
        mb.setEscapeButton(QMessageBox::No);
    }
    mb.exec();
    const auto pressed = mb.standardButton(mb.clickedButton());
    for (const ButtonMap& b : kButtons) {
        if (pressed == b.qt) {
            return b.ui;
        }
    }
    return box.defaultButton != 0 ? box.defaultButton : Ui::Ok;
}

void QtUi::stopProgram(const QString& finalText) {
    QMessageBox::critical(m_parent, QStringLiteral("Velatask"), finalText);
    std::exit(EXIT_FAILURE);
}

} // namespace velatask
