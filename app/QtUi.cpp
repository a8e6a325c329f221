#include "app/QtUi.h"

#include "ui/TitleWidth.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>
#include <memory>

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

// A box with the given title, text, icon and buttons; the caller shows it.
QMessageBox* QtUi::buildBox(const MessageBoxSpec& box) const {
    // Texts break lines with carriage returns.
    QString text = box.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto* mb =
        new QMessageBox(iconOf(box.icon), box.title.isEmpty() ? QStringLiteral(" ") : box.title,
                        text, QMessageBox::NoButton, m_parent);
    mb->setTextFormat(Qt::PlainText);
    for (const ButtonMap& b : kButtons) {
        if (box.buttons & b.ui) {
            mb->addButton(b.qt);
        }
    }
    for (const ButtonMap& b : kButtons) {
        if (box.defaultButton == b.ui) {
            mb->setDefaultButton(b.qt);
        }
    }
    // The box sizes itself to its text; a title that names a long path is shown whole too. (The
    // box fixes its own size when shown: a row of the width in its layout is what it keeps.)
    if (auto* grid = qobject_cast<QGridLayout*>(mb->layout())) {
        grid->addItem(new QSpacerItem(titleWidth(mb), 0, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
    }
    // Closing the box answers with its safest choice.
    if (box.buttons & Ui::Cancel) {
        mb->setEscapeButton(QMessageBox::Cancel);
    } else if (box.buttons & Ui::Abort) {
        mb->setEscapeButton(QMessageBox::Abort);
    } else if (box.buttons & Ui::No) {
        mb->setEscapeButton(QMessageBox::No);
    }
    return mb;
}

int QtUi::messageBox(const MessageBoxSpec& box) {
    const std::unique_ptr<QMessageBox> mb(buildBox(box));
    mb->exec();
    const auto pressed = mb->standardButton(mb->clickedButton());
    for (const ButtonMap& b : kButtons) {
        if (pressed == b.qt) {
            return b.ui;
        }
    }
    return box.defaultButton != 0 ? box.defaultButton : Ui::Ok;
}

void QtUi::notice(const MessageBoxSpec& box) {
    MessageBoxSpec ok = box;
    ok.buttons = Ui::Ok;
    ok.defaultButton = Ui::Ok;
    QMessageBox* mb = buildBox(ok);
    mb->setAttribute(Qt::WA_DeleteOnClose);
    mb->setWindowModality(Qt::NonModal);
    mb->show();
}

void QtUi::stopProgram(const QString& finalText) {
    QMessageBox::critical(m_parent, QStringLiteral("Velatask"), finalText);
    std::exit(EXIT_FAILURE);
}

} // namespace velatask
