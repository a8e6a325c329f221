#include "editing/AlarmGroup.h"

#include "core/FixedText.h"
#include "editing/ChosenFile.h"
#include "editing/EditingContext.h"
#include "editing/FileChooser.h"
#include "editing/TaskControls.h"
#include "platform/Sound.h"
#include "scheduler/AppContext.h"
#include "store/ScheduleRecord.h"
#include "ui/FieldBindings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velatask {

AlarmGroup::AlarmGroup(QWidget* parent) : QGroupBox(QStringLiteral("Alarm"), parent) {
    m_alarm = new QCheckBox(QStringLiteral("Alarm"), this);
    m_alarm->setToolTip(QStringLiteral("Play a WAV file as an alarm"));
    m_file = new QLineEdit(this);
    m_file->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    m_fileLabel = new QLabel(QStringLiteral("WAV File to Play:"), this);
    m_fileLabel->setBuddy(m_file);
    m_browse = new QPushButton(QStringLiteral("&Browse"), this);
    m_browse->setToolTip(QStringLiteral("Select a WAV file to play as an alarm."));
    m_browse->setAutoDefault(false);
    m_play = new QPushButton(QStringLiteral("&Play"), this);
    m_play->setToolTip(QStringLiteral("Let's hear it!"));
    m_play->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_alarm, 0, 0, 1, 3);
    grid->addWidget(m_fileLabel, 1, 0);
    grid->addWidget(m_file, 1, 1);
    grid->addWidget(m_browse, 1, 2);
    grid->addWidget(m_play, 2, 2);
    grid->setColumnStretch(1, 1);
    m_browse->hide();
    m_play->hide();
}

AlarmGroup::AlarmGroup(TaskControls& controls, QWidget* parent) : AlarmGroup(parent) {
    m_controls = &controls;
    m_browse->show();
    m_play->show();
    ScheduleRecord& task = controls.task();
    controls.fields().flag(m_alarm, task.Alarm);
    controls.fields().text(m_file, task.AlarmFile, ScheduleRecord::kAlarmFileWidth);
    controls.fields().custom(
        this, [this, &task] { enableFile(task.Alarm != 0); }, [] { return true; });
    connect(m_alarm, &QCheckBox::toggled, this, &AlarmGroup::enableFile);
    connect(m_browse, &QPushButton::clicked, this, &AlarmGroup::browse);
    connect(m_play, &QPushButton::clicked, this, &AlarmGroup::play);
}

void AlarmGroup::enableFile(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(m_fileLabel), static_cast<QWidget*>(m_file),
                       static_cast<QWidget*>(m_browse), static_cast<QWidget*>(m_play)}) {
        w->setEnabled(enabled);
    }
}

void AlarmGroup::browse() {
    if (!m_controls) {
        return;
    }
    m_controls->storeControls();
    const QString chosen = m_controls->services().files.openFile(
        m_controls->window(), m_browseTitle, FixedText::rtrim(m_controls->task().AlarmFile),
        ChosenFile::wavFilters());
    if (!chosen.isEmpty()) {
        m_controls->change([&chosen](ScheduleRecord& task) { ChosenFile::applyWav(task, chosen); });
    }
}

void AlarmGroup::play() {
    if (!m_controls) {
        return;
    }
    m_controls->storeControls();
    ScheduleRecord& task = m_controls->task();
    task.AlarmFile = FixedText::rtrim(task.AlarmFile);
    if (task.AlarmFile.isEmpty()) {
        m_browse->setFocus();
        browse();
        return;
    }
    if (!m_controls->app().sound->play(task.AlarmFile)) {
        m_browse->setFocus();
    }
}

} // namespace velatask
