#include "app/timeline_drag.h"

#include <algorithm>
#include <cstdlib>

#include "app/timeline_picture.h"

namespace puffel {

int KeyPressedAt(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x) {
  return KeyNearX(keys, ruler, x, MarkReach);
}

double DraggedKeyTime(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int k, int x) {
  if (k <= 0 || ruler.right <= ruler.left) return keys[k].time;
  const double column = ruler.seconds / (ruler.right - ruler.left);
  const double earliest = keys[k - 1].time + column;
  const double latest =
      k + 1 < static_cast<int>(keys.size()) ? keys[k + 1].time - column : ruler.seconds;
  if (earliest > latest) return keys[k].time;
  return std::clamp(TimeAtX(ruler, x), earliest, latest);
}

bool LoopEndPressedAt(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x) {
  return !keys.empty() && KeyPressedAt(keys, ruler, x) < 0 &&
         std::abs(x - ruler.right) <= MarkReach;
}

double DraggedLoopLength(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x) {
  if (ruler.right <= ruler.left) return ruler.seconds;
  const double column = ruler.seconds / (ruler.right - ruler.left);
  const double there = x == ruler.right ? ruler.seconds : (x - ruler.left) * column;
  return std::max(keys.back().time + column, there);
}

}  // namespace puffel
