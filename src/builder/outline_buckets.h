// The outline pixels sorted into square buckets: the exact nearest outline
// pixel of a point close to a known outline pixel, found by scanning the few
// buckets within that pixel's distance. Points farther off are declined (the
// OutlineIndex serves them).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "builder/outline.h"
#include "builder/outline_index.h"

namespace puffel {

class OutlineBuckets {
 public:
  explicit OutlineBuckets(const OutlineList& outline);

  // The nearest outline pixel to (x, y) exactly as OutlineIndex::FindNearest
  // gives it (without a slot), searched within the distance of outline pixel
  // near; nothing when that distance spans too many buckets.
  std::optional<OutlineMatch> FindNearest(double x, double y, int near) const;

 private:
  static constexpr int Side = 4;      // bucket side in pixels (a power of two)
  static constexpr int MaxReach = 6;  // buckets searched at most to either side

  int x0_ = 0, y0_ = 0;              // the first bucket's top-left pixel
  int columns_ = 0, rows_ = 0;       // buckets across and down
  std::vector<int32_t> start_;       // per bucket, row by row: its first entry
  std::vector<int32_t> x_, y_, id_;  // the entries: pixels with their list index
  const OutlineList& outline_;
};

}  // namespace puffel
