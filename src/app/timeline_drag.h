// What a drag along the timeline's ruler does: a press on a key's mark takes
// that key along, a press on the loop's end that end, a press elsewhere the
// time line.
#pragma once

#include <vector>

#include "app/timeline_ruler.h"

namespace puffel {

// The key whose mark a press at column x is on (within MarkReach), or -1:
// the press moves the time line.
int KeyPressedAt(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x);

// The time key k takes when its mark is dragged to column x: the time there,
// held at least one column's time after the previous key and before the next,
// so that the keys keep their order however far the drag goes. The first key
// stays at 0, and a key with no room between its neighbours where it is.
double DraggedKeyTime(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int k, int x);

// Whether a press at column x is on the loop's end mark (and on no key's).
bool LoopEndPressedAt(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x);

// The loop's length when its end is dragged to column x on the ruler as it
// was at the press: the time there, past the ruler's end too, so that a drag
// beyond the window lengthens the loop; at least one column's time after the
// last key.
double DraggedLoopLength(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x);

}  // namespace puffel
