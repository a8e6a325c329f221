#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QToolButton;

namespace velatask {

class TaskControls;

// A date of the task with its "..." calendar button, and its time: both shown and read through
// their pictures. What entering a date means is up to the blocks built on it.
class DateTimeEntry : public QWidget {
    Q_OBJECT
public:
    // The labels and entries alone, without the calendar and without any check of what is
    // entered: for a window that reads the entries its own way.
    DateTimeEntry(const QString& dateLabel, const QString& timeLabel, QWidget* parent);

    QLineEdit* dateEdit() const { return m_date; }
    QLineEdit* timeEdit() const { return m_time; }
    QToolButton* calendarButton() const { return m_calendar; }
    QLabel* dateLabel() const { return m_dateLabel; }
    QLabel* timeLabel() const { return m_timeLabel; }

    // The room between the date (or its calendar button) and "Time:".
    static constexpr int kTimeGap = 12;

    // Entries as wide as a date ("Sep 30, 2099") or a time ("12:59PM") needs.
    static QLineEdit* dateSized(QLineEdit* edit);
    static QLineEdit* timeSized(QLineEdit* edit);
    // Dates of rows under each other line up: their labels take the widest one's width.
    static void lineUp(const std::vector<QLabel*>& dateLabels);
    // The accessible name of the time beside a date: "Time of Date Last Performed".
    static QString timeNameFor(const QString& dateLabel);

protected:
    DateTimeEntry(TaskControls& controls, const QString& dateLabel, std::int32_t& date,
                  const QString& timeLabel, std::int32_t& time, QWidget* parent);

    // The user entered another date, or picked one in the calendar.
    virtual void dateAccepted() {}
    // The calendar's mode: "None" offers every day, blank only the task's days.
    virtual QString calendarMode() const { return QString(); }

    void setTimeShown(bool shown);
    TaskControls& controls() { return *m_controls; }

private:
    void openCalendar();

    TaskControls* m_controls = nullptr;
    std::int32_t* m_dateField = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLineEdit* m_date = nullptr;
    QToolButton* m_calendar = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLineEdit* m_time = nullptr;
};

} // namespace velatask
