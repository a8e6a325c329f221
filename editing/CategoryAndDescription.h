#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace velatask {

class TaskControls;

// "&Category:", a drop list of every category, and "&Description:". The list is read when the
// task is first shown; a task whose category is not listed shows none chosen.
class CategoryAndDescription : public QWidget {
    Q_OBJECT
public:
    // Bound to the task; the list is read from the store when the task is first shown.
    CategoryAndDescription(TaskControls& controls, QWidget* parent = nullptr);
    // The controls alone, the list empty: for a window that fills and reads them its own way.
    explicit CategoryAndDescription(QWidget* parent);

    QComboBox* categoryList() const { return m_categories; }
    QLineEdit* description() const { return m_description; }

signals:
    // The categories could not be read (the warning was shown): the window should close.
    void failed();

private:
    void fill();

    TaskControls* m_controls = nullptr;
    QComboBox* m_categories = nullptr;
    QLineEdit* m_description = nullptr;
    bool m_filled = false;
};

} // namespace velatask
