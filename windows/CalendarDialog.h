#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QPushButton;
class QSpinBox;

namespace velatask {

class Clock;
class IniFile;
class Ui;
struct ScheduleRecord;

// The modal date picker. With a mode other than "None" it offers only the days on which the
// given task can occur.
class CalendarDialog : public QDialog {
    Q_OBJECT
public:
    CalendarDialog(IniFile& ini, const Clock& clock, Ui& ui, const ScheduleRecord& task,
                   std::int32_t date, const QString& mode, const QString& title,
                   QWidget* parent = nullptr);
    ~CalendarDialog() override;

    // The picked date, or the date passed in when the calendar was closed without a pick.
    std::int32_t pickedDate() const { return m_result; }

    int displayedMonth() const { return m_month; }
    int displayedYear() const { return m_year; }
    QPushButton* dayButton(int index) const { return m_days[index]; }
    QSpinBox* monthField() const { return m_monthField; }
    QSpinBox* yearField() const { return m_yearField; }

    void previousMonth();
    void nextMonth();
    void previousYear();
    void nextYear();

protected:
    void done(int r) override;

private:
    void buildWindow();
    void fillGrid();
    void pick(int index);
    void monthAccepted();
    void yearAccepted();
    void showMonthYear();

    IniFile& m_ini;
    const Clock& m_clock;
    Ui& m_ui;
    const ScheduleRecord& m_task;
    const std::int32_t m_passed;
    std::int32_t m_result;
    const bool m_filter;
    int m_month = 1;
    int m_year = 2000;
    bool m_validating = false;
    std::array<QPushButton*, 42> m_days{};
    QSpinBox* m_monthField = nullptr;
    QSpinBox* m_yearField = nullptr;
};

// Shows the calendar and returns the picked date (the passed date when nothing was picked).
std::int32_t Calendar(IniFile& ini, const Clock& clock, Ui& ui, const ScheduleRecord& task,
                      std::int32_t date, const QString& mode, const QString& title,
                      QWidget* parent = nullptr);

} // namespace velatask
