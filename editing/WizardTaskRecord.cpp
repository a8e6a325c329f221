#include "editing/WizardTaskRecord.h"

namespace velatask {

WizardTaskRecord::WizardTaskRecord(AppContext& app, std::function<void(ScheduleRecord&)> prepare)
    : ScheduleFormRecord(app), m_prepare(std::move(prepare)) {
    setReserve([this] {
        m_prepare(view().buffer());
        return reserveNumber();
    });
}

int WizardTaskRecord::open() {
    m_found = view().buffer();
    m_task = m_found;
    return ScheduleFormRecord::open();
}

int WizardTaskRecord::prepareInsert() {
    const int code = ScheduleFormRecord::prepareInsert();
    m_task = view().buffer();
    return code;
}

void WizardTaskRecord::takeCopy() {
    m_copy = m_task;
}

bool WizardTaskRecord::changed() const {
    return !(m_task == m_copy);
}

int WizardTaskRecord::insert() {
    view().buffer() = m_task;
    return ScheduleFormRecord::insert();
}

int WizardTaskRecord::update() {
    view().buffer() = m_task;
    const int result = ScheduleFormRecord::update();
    m_task = view().buffer(); // as written, or another station's version
    return result;
}

} // namespace velatask
