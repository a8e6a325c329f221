#include "ui/StepRangeSpinBox.h"

#include <algorithm>

namespace velatask {

StepRangeSpinBox::StepRangeSpinBox(int stepMinimum, int stepMaximum, int typedMaximum,
                                   QWidget* parent)
    : QSpinBox(parent), m_stepMinimum(stepMinimum), m_stepMaximum(stepMaximum) {
    setRange(0, typedMaximum);
}

void StepRangeSpinBox::stepBy(int steps) {
    setValue(std::clamp(value() + steps, m_stepMinimum, m_stepMaximum));
    selectAll();
}

QAbstractSpinBox::StepEnabled StepRangeSpinBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < m_stepMaximum) {
        enabled |= StepUpEnabled;
    }
    if (value() > m_stepMinimum) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

} // namespace velatask
