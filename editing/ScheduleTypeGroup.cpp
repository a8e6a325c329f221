#include "editing/ScheduleTypeGroup.h"

#include "editing/TaskControls.h"
#include "editing/TaskVisibility.h"
#include "store/ScheduleRecord.h"
#include "ui/FieldBindings.h"
#include "ui/OptionGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace velatask {

ScheduleTypeGroup::ScheduleTypeGroup(QWidget* parent) : QWidget(parent) {
    m_type = new OptionGroup(QStringLiteral("Schedule &Type"),
                             {QStringLiteral("Once"), QStringLiteral("Day of Week"),
                              QStringLiteral("Day of Month"), QStringLiteral("Monthly"),
                              QStringLiteral("Yearly"), QStringLiteral("Custom")},
                             this);
    m_type->setToolTip(QStringLiteral("Type of scheduling"));

    m_every = new QGroupBox(QStringLiteral("&Every..."), this);
    auto* grid = new QGridLayout(m_every);
    static const char* const kOrdinals[5] = {"1st", "2nd", "3rd", "4th", "Last"};
    for (int i = 0; i < 5; ++i) {
        m_ordinals[i] = new QCheckBox(QLatin1String(kOrdinals[i]), m_every);
        grid->addWidget(m_ordinals[i], i, 0);
    }
    static const char* const kDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
    for (int day = 0; day < 7; ++day) {
        m_weekdays[day] = new QCheckBox(QLatin1String(kDays[day]), m_every);
        grid->addWidget(m_weekdays[day], day, 1);
    }
    m_countLabel = new QLabel(QStringLiteral("Every:"), m_every);
    m_count = new QSpinBox(m_every);
    m_count->setRange(0, 999999);
    m_count->setToolTip(QStringLiteral("Repeat Task Every..."));
    m_countLabel->setBuddy(m_count);
    m_unit = new OptionGroup(QString(),
                             {QStringLiteral("minute(s)"), QStringLiteral("hour(s)"),
                              QStringLiteral("day(s)"), QStringLiteral("week(s)"),
                              QStringLiteral("month(s)"), QStringLiteral("year(s)")},
                             m_every);
    m_unit->setFlat(true);
    m_unit->setAccessibleName(QStringLiteral("Every Type"));
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(m_countLabel);
    countRow->addWidget(m_count);
    countRow->addStretch();
    grid->addLayout(countRow, 0, 2);
    grid->addWidget(m_unit, 1, 2, 6, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(7, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_type);
    layout->addWidget(m_every, 1);
}

ScheduleTypeGroup::ScheduleTypeGroup(TaskControls& controls, QWidget* parent)
    : ScheduleTypeGroup(parent) {
    ScheduleRecord& task = controls.task();
    const std::array<std::uint8_t*, 5> ordinals = {&task.Every1st, &task.Every2nd, &task.Every3rd,
                                                   &task.Every4th, &task.EveryLast};
    for (int i = 0; i < 5; ++i) {
        controls.fields().flag(m_ordinals[i], *ordinals[i]);
    }
    for (int day = 0; day < 7; ++day) {
        controls.fields().flag(m_weekdays[day], task.weekdayFlag(day));
    }
    m_type->bind(controls.fields(), task.ScheduleType, ScheduleRecord::kScheduleTypeWidth);
    controls.fields().number(m_count, task.Every);
    m_unit->bind(controls.fields(), task.EveryType, ScheduleRecord::kEveryTypeWidth);
    controls.fields().custom(
        this, [this, &task] { showFor(task.ScheduleType); }, [] { return true; });
    connect(m_type, &OptionGroup::chosen, this, &ScheduleTypeGroup::showFor);
}

void ScheduleTypeGroup::showFor(const QString& scheduleType) {
    const TaskVisibility::ByScheduleType shown = TaskVisibility::forScheduleType(scheduleType);
    for (QCheckBox* box : m_ordinals) {
        box->setVisible(shown.ordinals);
    }
    for (QCheckBox* box : m_weekdays) {
        box->setVisible(shown.weekdays);
    }
    m_countLabel->setVisible(shown.every);
    m_count->setVisible(shown.every);
    m_unit->setVisible(shown.every);
}

} // namespace velatask
