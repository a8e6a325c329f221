#include "windows/SearchActionDialog.h"

#include "ui/Accessibility.h"
#include "ui/TitleWidth.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velatask {

SearchActionDialog::SearchActionDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Begin Search"));
    auto* question = new QLabel(QStringLiteral("What do you want to do?"), this);
    auto* row = new QHBoxLayout;
    const std::pair<Action, const char*> buttons[] = {
        {Edit, "&Edit"}, {Select, "&Select"}, {Unselect, "&Unselect"}, {Cancel, "&Cancel"}};
    for (const auto& [action, text] : buttons) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setAutoDefault(false);
        m_buttons[action] = b;
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, a = action] {
            m_action = a;
            if (a == Cancel) {
                reject();
            } else {
                accept();
            }
        });
    }
    m_buttons[Select]->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(row);
    fitTitle(this);
    m_buttons[Select]->setFocus();
    Accessibility::nameControls(this);
}

QPushButton* SearchActionDialog::button(Action action) const {
    return m_buttons[action];
}

SearchActionDialog::Action SearchActionDialog::ask(QWidget* parent) {
    SearchActionDialog dialog(parent);
    dialog.exec();
    return dialog.action();
}

} // namespace velatask
