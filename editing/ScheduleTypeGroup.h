#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace velatask {

class OptionGroup;
class TaskControls;

// "Schedule &Type" with the group "&Every...": the ordinal and weekday check boxes, "Every:" and
// its unit. Only what the chosen schedule type uses is shown.
class ScheduleTypeGroup : public QWidget {
    Q_OBJECT
public:
    // Bound to the task, showing what its schedule type uses.
    ScheduleTypeGroup(TaskControls& controls, QWidget* parent = nullptr);
    // Every control shown and none bound, for a window that reads them its own way.
    explicit ScheduleTypeGroup(QWidget* parent);

    OptionGroup* scheduleType() const { return m_type; }
    QGroupBox* everyGroup() const { return m_every; }
    const std::array<QCheckBox*, 5>& ordinals() const { return m_ordinals; }
    const std::array<QCheckBox*, 7>& weekdays() const { return m_weekdays; }
    QSpinBox* everyCount() const { return m_count; }
    OptionGroup* everyType() const { return m_unit; }

private:
    void showFor(const QString& scheduleType);

    OptionGroup* m_type = nullptr;
    QGroupBox* m_every = nullptr;
    std::array<QCheckBox*, 5> m_ordinals{};
    std::array<QCheckBox*, 7> m_weekdays{};
    QLabel* m_countLabel = nullptr;
    QSpinBox* m_count = nullptr;
    OptionGroup* m_unit = nullptr;
};

} // namespace velatask
