#pragma once

#include "scripting/ui/LineSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace velatask {

class OptionGroup;

// "Searching Text...": what to find, "Match &Whole Word Only", "Match &Case" and the direction.
// The text starts empty every time; the other settings are those passed in.
class SearchTextDialog : public QDialog {
    Q_OBJECT
public:
    SearchTextDialog(const LineSearchSettings& settings, QWidget* parent = nullptr);

    // The settings as the user left them ("Find" pressed).
    LineSearchSettings settings() const;

    QLineEdit* findWhat() const { return m_text; }
    QCheckBox* wholeWord() const { return m_wholeWord; }
    QCheckBox* matchCase() const { return m_matchCase; }
    OptionGroup* direction() const { return m_direction; }
    QPushButton* findButton() const { return m_find; }

private:
    QLineEdit* m_text = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_matchCase = nullptr;
    OptionGroup* m_direction = nullptr;
    QPushButton* m_find = nullptr;
};

} // namespace velatask
