#include "windows/UpperLimitDialog.h"

#include "ui/Accessibility.h"
#include "ui/TitleWidth.h"
#include "windows/SearchDialogButtons.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velatask {

namespace {

constexpr int kLimitWidth = 20;

} // namespace

UpperLimitDialog::UpperLimitDialog(const QString& lower, const QString& upper, Check valid,
                                   QWidget* parent)
    : QDialog(parent), m_valid(std::move(valid)) {
    setWindowTitle(QStringLiteral("Enter Upper Limit"));
    m_lower = new QLineEdit(lower, this);
    m_upper = new QLineEdit(upper, this);
    for (QLineEdit* e : {m_lower, m_upper}) {
        e->setMaxLength(kLimitWidth);
        e->setMinimumWidth(e->fontMetrics().averageCharWidth() * (kLimitWidth + 2));
    }
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Lower Limit:"), m_lower);
    form->addRow(QStringLiteral("&Upper Limit:"), m_upper);
    QHBoxLayout* row = searchDialogButtons(this, QStringLiteral(" &OK"), QStringLiteral("&Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row);
    fitTitle(this);
    m_upper->setFocus();
    Accessibility::nameControls(this);
}

QString UpperLimitDialog::lower() const {
    return m_lower->text();
}

QString UpperLimitDialog::upper() const {
    return m_upper->text();
}

void UpperLimitDialog::accept() {
    for (QLineEdit* e : {m_lower, m_upper}) {
        if (m_valid && !m_valid(e->text())) {
            e->setFocus();
            e->selectAll();
            return;
        }
    }
    QDialog::accept();
}

} // namespace velatask
