#include "editing/DateTimeEntry.h"

#include "core/Picture.h"
#include "editing/DatePicker.h"
#include "editing/EditingContext.h"
#include "editing/TaskControls.h"
#include "ui/Accessibility.h"
#include "ui/FieldBindings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace velatask {

QLineEdit* DateTimeEntry::dateSized(QLineEdit* edit) {
    edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * 16);
    return edit;
}

QLineEdit* DateTimeEntry::timeSized(QLineEdit* edit) {
    edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * 10);
    return edit;
}

void DateTimeEntry::lineUp(const std::vector<QLabel*>& dateLabels) {
    int width = 0;
    for (QLabel* label : dateLabels) {
        width = std::max(width, label->sizeHint().width());
    }
    for (QLabel* label : dateLabels) {
        label->setMinimumWidth(width);
    }
}

QString DateTimeEntry::timeNameFor(const QString& dateLabel) {
    return QStringLiteral("Time of ") + Accessibility::spokenText(dateLabel);
}

DateTimeEntry::DateTimeEntry(const QString& dateLabel, const QString& timeLabel, QWidget* parent)
    : QWidget(parent) {
    m_dateLabel = new QLabel(dateLabel, this);
    m_date = dateSized(new QLineEdit(this));
    m_dateLabel->setBuddy(m_date);
    m_calendar = new QToolButton(this);
    m_calendar->setText(QStringLiteral("..."));
    m_calendar->setAccessibleName(QStringLiteral("Calendar for ") +
                                  Accessibility::spokenText(dateLabel));
    m_timeLabel = new QLabel(timeLabel, this);
    m_time = timeSized(new QLineEdit(this));
    m_timeLabel->setBuddy(m_time);
    // Several times share the prompt "Time:"; a screen reader says whose it is.
    m_time->setAccessibleName(timeNameFor(dateLabel));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_dateLabel);
    layout->addWidget(m_date);
    layout->addWidget(m_calendar);
    layout->addSpacing(kTimeGap);
    layout->addWidget(m_timeLabel);
    layout->addWidget(m_time);
    layout->addStretch();
    m_calendar->hide();
}

DateTimeEntry::DateTimeEntry(TaskControls& controls, const QString& dateLabel, std::int32_t& date,
                             const QString& timeLabel, std::int32_t& time, QWidget* parent)
    : DateTimeEntry(dateLabel, timeLabel, parent) {
    m_controls = &controls;
    m_dateField = &date;
    m_calendar->show();
    controls.fields().picture(m_date, date, Picture(u"@d3"));
    controls.fields().picture(m_time, time, Picture(u"@t3"));
    connect(m_date, &QLineEdit::editingFinished, this, [this] {
        if (m_date->isModified()) {
            m_date->setModified(false);
            dateAccepted();
        }
    });
    connect(m_calendar, &QToolButton::clicked, this, &DateTimeEntry::openCalendar);
}

void DateTimeEntry::setTimeShown(bool shown) {
    m_timeLabel->setVisible(shown);
    m_time->setVisible(shown);
}

void DateTimeEntry::openCalendar() {
    m_controls->storeControls();
    const std::int32_t before = *m_dateField;
    const std::int32_t picked = m_controls->services().calendar.pickDate(
        m_controls->task(), before, calendarMode(), QStringLiteral("Select Date"),
        m_controls->window());
    if (picked == before) {
        return;
    }
    m_date->setText(Picture::formatDate(picked));
    dateAccepted();
}

} // namespace velatask
