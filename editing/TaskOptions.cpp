#include "editing/TaskOptions.h"

#include "editing/TaskControls.h"
#include "store/ScheduleRecord.h"
#include "ui/FieldBindings.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace velatask {

TaskOptions::TaskOptions(QWidget* parent) : QWidget(parent) {
    m_warn = new QCheckBox(QStringLiteral("&Warn if not run on specified date"), this);
    m_userSkip =
        new QCheckBox(QStringLiteral("&Before performing task, give option to skip"), this);
    m_disabled = new QCheckBox(QStringLiteral("&Disable"), this);
    m_disabled->setToolTip(QStringLiteral("Do not perform this task"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_warn);
    layout->addWidget(m_userSkip);
    layout->addWidget(m_disabled);
}

TaskOptions::TaskOptions(TaskControls& controls, QWidget* parent) : TaskOptions(parent) {
    ScheduleRecord& task = controls.task();
    controls.fields().flag(m_warn, task.Warn);
    controls.fields().flag(m_userSkip, task.UserSkip);
    controls.fields().flag(m_disabled, task.Disabled);
}

QCheckBox* SkipNextTimeBox(const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setToolTip(QStringLiteral("Skip next occurance of this task"));
    return box;
}

QCheckBox* SkipNextTimeBox(TaskControls& controls, const QString& text, QWidget* parent) {
    QCheckBox* box = SkipNextTimeBox(text, parent);
    controls.fields().flag(box, controls.task().SkipNextTime);
    return box;
}

} // namespace velatask
