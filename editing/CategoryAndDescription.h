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
    CategoryAndDescription(TaskControls& controls, QWidget* parent = nullptr);

    QComboBox* categoryList() const { return m_categories; }
    QLineEdit* description() const { return m_description; }

signals:
    // The categories could not be read (the warning was shown): the window should close.
    void failed();

private:
    void fill();

    TaskControls& m_controls;
    QComboBox* m_categories = nullptr;
    QLineEdit* m_description = nullptr;
    bool m_filled = false;
};

} // namespace velatask
