#include "app/timeline_ruler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace puffel {

int XOfTime(const TimelineRuler& ruler, double time) {
  if (ruler.seconds <= 0) return ruler.left;
  const double share = std::clamp(time / ruler.seconds, 0.0, 1.0);
  return ruler.left + static_cast<int>(std::lround(share * (ruler.right - ruler.left)));
}

double TimeAtX(const TimelineRuler& ruler, int x) {
  if (ruler.right <= ruler.left) return 0;
  const double share =
      std::clamp(static_cast<double>(x - ruler.left) / (ruler.right - ruler.left), 0.0, 1.0);
  return share * ruler.seconds;
}

int KeyNearX(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x, int reach) {
  int nearest = -1;
  int distance = reach + 1;
  for (size_t k = 0; k < keys.size(); ++k) {
    const int d = std::abs(XOfTime(ruler, keys[k].time) - x);
    if (d < distance) {
      nearest = static_cast<int>(k);
      distance = d;
    }
  }
  return nearest;
}

}  // namespace puffel
