#pragma once

#include <QGroupBox>
#include <QString>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace velatask {

class FieldBindings;

// A group of radio buttons whose value is the text of the chosen button without its mnemonic
// ("Send &Keystrokes" stands for "Send Keystrokes"). A field holding none of the values shows no
// button chosen and keeps its value.
class OptionGroup : public QGroupBox {
    Q_OBJECT
public:
    OptionGroup(const QString& title, const QStringList& buttons, QWidget* parent = nullptr,
                bool vertical = true);

    // The value of the chosen button, or an empty text.
    QString value() const;
    // Chooses the button of `value` (none when no button has it) without announcing it.
    void setValue(const QString& value);
    QRadioButton* button(const QString& value) const;
    const std::vector<QRadioButton*>& buttons() const { return m_buttons; }

    // Shows `field` on load and reads the chosen button back on store; `width` is the field's.
    void bind(FieldBindings& fields, QString& field, int width);

    static QString valueOf(const QString& buttonText);

signals:
    // The user chose a button.
    void chosen(const QString& value);

private:
    // The keyboard enters the group on its chosen button (on the first when none is chosen);
    // the arrow keys move within it.
    void moveTabStop();

    QButtonGroup* m_group = nullptr;
    std::vector<QRadioButton*> m_buttons;
};

} // namespace velatask
