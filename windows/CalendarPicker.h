#pragma once

#include "editing/DatePicker.h"

namespace velatask {

class Clock;
class IniFile;
class Ui;

// The calendar window as the task windows' date picker.
class CalendarPicker : public DatePicker {
public:
    CalendarPicker(IniFile& ini, const Clock& clock, Ui& ui)
        : m_ini(ini), m_clock(clock), m_ui(ui) {}

    std::int32_t pickDate(const ScheduleRecord& task, std::int32_t date, const QString& mode,
                          const QString& title, QWidget* parent) override;

private:
    IniFile& m_ini;
    const Clock& m_clock;
    Ui& m_ui;
};

} // namespace velatask
