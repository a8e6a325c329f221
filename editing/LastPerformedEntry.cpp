#include "editing/LastPerformedEntry.h"

#include "core/Picture.h"
#include "editing/DateTimeEntry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace velatask {

namespace {

QLineEdit* shownOnly(QLineEdit* edit, const QString& tip) {
    edit->setReadOnly(true);
    edit->setToolTip(tip);
    return edit;
}

} // namespace

LastPerformedEntry::LastPerformedEntry(int gap, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_date = DateTimeEntry::dateSized(
        shownOnly(new QLineEdit(this), QStringLiteral("Task last performed on this date")));
    m_time = DateTimeEntry::timeSized(
        shownOnly(new QLineEdit(this), QStringLiteral("Task last performed at this time")));
    m_dateLabel = new QLabel(QStringLiteral("Date Last Performed:"), this);
    m_dateLabel->setBuddy(m_date);
    auto* timeLabel = new QLabel(QStringLiteral("Time:"), this);
    timeLabel->setBuddy(m_time);
    m_time->setAccessibleName(DateTimeEntry::timeNameFor(m_dateLabel->text()));
    row->addWidget(m_dateLabel);
    row->addWidget(m_date);
    row->addSpacing(gap);
    row->addWidget(timeLabel);
    row->addWidget(m_time);
    row->addStretch();
}

void LastPerformedEntry::showRun(std::int32_t date, std::int32_t time) {
    m_date->setText(Picture::formatDate(date));
    m_time->setText(Picture::formatTime(time));
}

} // namespace velatask
