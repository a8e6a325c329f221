#pragma once

#include "qbe/FieldKind.h"

#include <QDialog>

#include <vector>

class QRadioButton;

namespace velatask {

// "Match Type for ... Field": the match types a field of that kind offers, as radio buttons.
class MatchTypeDialog : public QDialog {
    Q_OBJECT
public:
    MatchTypeDialog(FieldKind kind, MatchType current, QWidget* parent = nullptr);

    // The type checked now.
    MatchType chosen() const;
    QRadioButton* button(MatchType type) const;

private:
    std::vector<std::pair<MatchType, QRadioButton*>> m_buttons;
};

} // namespace velatask
