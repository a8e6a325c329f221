#pragma once

class QWidget;

namespace velatask {

class Tags;

// The tag operations that take a while, shown in the progress window: clearing a set ("Clearing
// Tags", ten tags between looks at the window) and counting it ("Counting Tags"). "Cancel" stops
// them between slices.
namespace TagProgress {

// Removes every tag of the set; false when cancelled part way (the rest of the set stays).
bool NewTag_(Tags& tags, int set, QWidget* parent);
// The number of tags of the set; -1 when cancelled.
int CntTag_(Tags& tags, int set, QWidget* parent);

} // namespace TagProgress
} // namespace velatask
