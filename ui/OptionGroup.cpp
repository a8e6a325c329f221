#include "ui/OptionGroup.h"

#include "core/FixedText.h"
#include "ui/FieldBindings.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace velatask {

OptionGroup::OptionGroup(const QString& title, const QStringList& buttons, QWidget* parent,
                         bool vertical)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)) {
    auto* layout =
        new QBoxLayout(vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    for (const QString& text : buttons) {
        auto* radio = new QRadioButton(text, this);
        m_group->addButton(radio);
        layout->addWidget(radio);
        m_buttons.push_back(radio);
        // Toggled rather than clicked: a screen reader's "toggle" chooses without a click.
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on) {
                moveTabStop();
                emit chosen(valueOf(radio->text()));
            }
        });
    }
}

QString OptionGroup::valueOf(const QString& buttonText) {
    QString value = buttonText;
    return value.remove(QLatin1Char('&'));
}

QString OptionGroup::value() const {
    const QAbstractButton* checked = m_group->checkedButton();
    return checked ? valueOf(checked->text()) : QString();
}

QRadioButton* OptionGroup::button(const QString& value) const {
    for (QRadioButton* radio : m_buttons) {
        if (valueOf(radio->text()) == FixedText::rtrim(value)) {
            return radio;
        }
    }
    return nullptr;
}

void OptionGroup::setValue(const QString& value) {
    QRadioButton* wanted = button(value);
    // An exclusive group keeps one button checked; unchecking needs it off for a moment.
    m_group->setExclusive(false);
    for (QRadioButton* radio : m_buttons) {
        const QSignalBlocker quiet(radio);
        radio->setChecked(radio == wanted);
    }
    m_group->setExclusive(true);
    moveTabStop();
}

void OptionGroup::moveTabStop() {
    const QAbstractButton* checked = m_group->checkedButton();
    for (QRadioButton* radio : m_buttons) {
        const bool stop = checked ? radio == checked : radio == m_buttons.front();
        radio->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void OptionGroup::bind(FieldBindings& fields, QString& field, int width) {
    fields.custom(
        this, [this, &field] { setValue(field); },
        [this, &field, width] {
            if (!value().isEmpty()) {
                field = FixedText::fit(value(), width);
            }
            return true;
        });
}

} // namespace velatask
