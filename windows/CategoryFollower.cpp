#include "windows/CategoryFollower.h"

#include "core/FixedText.h"
#include "store/Store.h"

namespace velatask {

CategoryFollower::CategoryFollower(Store& store, QObject* parent)
    : QObject(parent), m_store(store) {
    m_look.setInterval(kLookIntervalMs);
    connect(&m_look, &QTimer::timeout, this, [this] {
        if (differs()) {
            emit changed();
        }
    });
}

QString CategoryFollower::take() {
    m_copy = FixedText::rtrim(m_store.CAT.buffer().Category);
    return m_copy;
}

bool CategoryFollower::differs() const {
    return FixedText::rtrim(m_store.CAT.buffer().Category) != m_copy;
}

void CategoryFollower::follow(bool on) {
    if (on) {
        m_look.start();
    } else {
        m_look.stop();
    }
}

} // namespace velatask
