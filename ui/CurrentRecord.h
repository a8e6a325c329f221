#pragma once

#include "store/KeepBuffer.h"

#include <QString>

namespace velatask {

// Makes the record at `position` the view's current record again, leaving the buffer as the user
// edited it: a form's write then goes to the record it opened, even when something else read
// through the same view while the form was open (the scheduler's tick, another window).
template <class View> int makeCurrent(View& view, const QString& position) {
    if (position.isEmpty()) {
        return 0;
    }
    KeepBuffer keep(view);
    return view.reget(position);
}

} // namespace velatask
