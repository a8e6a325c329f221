#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QLineEdit;

namespace velatask {

// "Date Last Performed:" and "Time:": when the task last ran, shown only.
class LastPerformedEntry : public QWidget {
    Q_OBJECT
public:
    // `gap` is the room before "Time:" that lines it up under the times of the rows around it.
    LastPerformedEntry(int gap, QWidget* parent = nullptr);

    void showRun(std::int32_t date, std::int32_t time);

    QLabel* dateLabel() const { return m_dateLabel; }
    QLineEdit* dateEdit() const { return m_date; }
    QLineEdit* timeEdit() const { return m_time; }

private:
    QLabel* m_dateLabel = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_time = nullptr;
};

} // namespace velatask
