#include "windows/MatchTypeDialog.h"

#include "ui/Accessibility.h"
#include "ui/TitleWidth.h"
#include "windows/SearchDialogButtons.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velatask {

MatchTypeDialog::MatchTypeDialog(FieldKind kind, MatchType current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(FieldKinds::dialogTitle(kind));
    auto* group = new QGroupBox(QStringLiteral("Select match type"), this);
    auto* column = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(this);
    for (MatchType type : FieldKinds::offered(kind)) {
        auto* b = new QRadioButton(MatchTypes::dialogText(type), group);
        buttons->addButton(b, int(type));
        column->addWidget(b);
        m_buttons.emplace_back(type, b);
        b->setChecked(type == current);
    }
    if (!buttons->checkedButton()) {
        m_buttons.front().second->setChecked(true);
    }
    QHBoxLayout* row = searchDialogButtons(this, QStringLiteral("&OK"), QStringLiteral("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(row);
    fitTitle(this);
    buttons->checkedButton()->setFocus();
    Accessibility::nameControls(this);
}

MatchType MatchTypeDialog::chosen() const {
    for (const auto& [type, b] : m_buttons) {
        if (b->isChecked()) {
            return type;
        }
    }
    return MatchType::Ignore;
}

QRadioButton* MatchTypeDialog::button(MatchType type) const {
    for (const auto& [t, b] : m_buttons) {
        if (t == type) {
            return b;
        }
    }
    return nullptr;
}

} // namespace velatask
