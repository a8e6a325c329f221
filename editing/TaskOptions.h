#pragma once

#include <QWidget>

class QCheckBox;

namespace velatask {

class TaskControls;

// The check boxes "&Warn if not run on specified date", "&Before performing task, give option to
// skip" and "&Disable".
class TaskOptions : public QWidget {
    Q_OBJECT
public:
    // Bound to the task's flags.
    TaskOptions(TaskControls& controls, QWidget* parent = nullptr);
    // The boxes alone, for a window that reads them its own way.
    explicit TaskOptions(QWidget* parent);

    QCheckBox* warn() const { return m_warn; }
    QCheckBox* userSkip() const { return m_userSkip; }
    QCheckBox* disabled() const { return m_disabled; }

private:
    QCheckBox* m_warn = nullptr;
    QCheckBox* m_userSkip = nullptr;
    QCheckBox* m_disabled = nullptr;
};

// The check box of the task's "skip the next occurrence" flag; its text differs between the
// windows ("&Skip Next Time", "&Skip First Time").
QCheckBox* SkipNextTimeBox(TaskControls& controls, const QString& text, QWidget* parent);
// The box alone.
QCheckBox* SkipNextTimeBox(const QString& text, QWidget* parent);

} // namespace velatask
