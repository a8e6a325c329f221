#include "windows/SearchDialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace velatask {

QHBoxLayout* searchDialogButtons(QDialog* dialog, const QString& okText,
                                 const QString& cancelText) {
    auto* ok = new QPushButton(okText, dialog);
    ok->setDefault(true);
    auto* cancel = new QPushButton(cancelText, dialog);
    // accept() is virtual: a dialog that checks its entries first gets its own.
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace velatask
