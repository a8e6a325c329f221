#include "scripting/ui/SearchTextDialog.h"

#include "ui/Accessibility.h"
#include "ui/OptionGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velatask {

namespace {

const QString kUp = QStringLiteral("Up");
const QString kDown = QStringLiteral("Down");

} // namespace

SearchTextDialog::SearchTextDialog(const LineSearchSettings& settings, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Searching Text..."));
    m_text = new QLineEdit(this);
    m_text->setMaxLength(LineSearchSettings::kTextWidth);
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() *
                            (LineSearchSettings::kTextWidth + 4));
    auto* label = new QLabel(QStringLiteral("Find What:"), this);
    label->setBuddy(m_text);
    m_wholeWord = new QCheckBox(QStringLiteral("Match &Whole Word Only"), this);
    m_wholeWord->setChecked(settings.wholeWord);
    m_matchCase = new QCheckBox(QStringLiteral("Match &Case"), this);
    m_matchCase->setChecked(settings.matchCase);
    m_direction = new OptionGroup(QStringLiteral("Direction"), {kUp, kDown}, this, false);
    m_direction->setValue(settings.down ? kDown : kUp);
    m_find = new QPushButton(QStringLiteral("Find"), this);
    m_find->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addWidget(m_find, 0, 2);
    grid->addWidget(m_wholeWord, 1, 0, 1, 2);
    grid->addWidget(cancel, 1, 2);
    grid->addWidget(m_matchCase, 2, 0);
    grid->addWidget(m_direction, 2, 1, 2, 1);
    connect(m_find, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Accessibility::nameControls(this);
}

LineSearchSettings SearchTextDialog::settings() const {
    LineSearchSettings s;
    s.text = m_text->text();
    s.wholeWord = m_wholeWord->isChecked();
    s.matchCase = m_matchCase->isChecked();
    s.down = m_direction->value() != kUp;
    return s;
}

} // namespace velatask
