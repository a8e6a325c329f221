#pragma once

#include <QSpinBox>

namespace velatask {

// A spin box whose arrows stay inside a range while typing may go beyond it (up to what the
// field holds), so that a value typed outside the range reaches the form's range check.
class StepRangeSpinBox : public QSpinBox {
    Q_OBJECT
public:
    StepRangeSpinBox(int stepMinimum, int stepMaximum, int typedMaximum, QWidget* parent = nullptr);

    int stepMinimum() const { return m_stepMinimum; }
    int stepMaximum() const { return m_stepMaximum; }
    bool inStepRange() const { return value() >= m_stepMinimum && value() <= m_stepMaximum; }

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_stepMinimum;
    int m_stepMaximum;
};

} // namespace velatask
