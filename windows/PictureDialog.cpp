#include "windows/PictureDialog.h"

#include "core/Ui.h"
#include "ui/Accessibility.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace velatask {

PictureDialog::PictureDialog(Ui& ui, const QString& picture, QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    setWindowTitle(QStringLiteral("Enter Picture..."));
    m_entry = new QLineEdit(picture, this);
    m_entry->setMaxLength(30);
    m_entry->setMinimumWidth(m_entry->fontMetrics().averageCharWidth() * 32);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &PictureDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PictureDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Picture:"), m_entry);
    form->addRow(buttons);
    Accessibility::nameControls(this);
    m_entry->selectAll();
}

QString PictureDialog::picture() const {
    return m_entry->text();
}

void PictureDialog::accept() {
    if (!picture().startsWith(QLatin1Char('@'))) {
        m_ui.message(QStringLiteral("Pictures must begin with \"@\""),
                     QStringLiteral("Invalid Picture!"), Ui::Exclamation);
        m_entry->setFocus();
        m_entry->selectAll();
        return;
    }
    QDialog::accept();
}

std::optional<QString> PictureDialog::ask(Ui& ui, const QString& picture, QWidget* parent) {
    PictureDialog dialog(ui, picture, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.picture();
}

} // namespace velatask
