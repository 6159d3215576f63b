#include "builder/outline_buckets.h"

#include <algorithm>
#include <cmath>

namespace puffel {

OutlineBuckets::OutlineBuckets(const OutlineList& outline) : outline_(outline) {
  const int count = outline.Count();
  if (count == 0) return;
  const auto [xMin, xMax] = std::minmax_element(outline.OutlineX.begin(), outline.OutlineX.end());
  const int yMin = outline.OutlineY.front();  // the list runs row by row
  const int yMax = outline.OutlineY.back();
  x0_ = *xMin;
  y0_ = yMin;
  columns_ = (*xMax - x0_) / Side + 1;
  rows_ = (yMax - y0_) / Side + 1;
  const auto bucketOf = [&](int n) {
    return static_cast<size_t>((outline.OutlineY[n] - y0_) / Side) * columns_ +
           (outline.OutlineX[n] - x0_) / Side;
  };
  start_.assign(static_cast<size_t>(columns_) * rows_ + 1, 0);
  for (int n = 0; n < count; ++n) ++start_[bucketOf(n) + 1];
  for (size_t b = 1; b < start_.size(); ++b) start_[b] += start_[b - 1];
  x_.resize(count);
  y_.resize(count);
  id_.resize(count);
  std::vector<int32_t> filled(start_.begin(), start_.end() - 1);
  for (int n = 0; n < count; ++n) {
    const int32_t at = filled[bucketOf(n)]++;
    x_[at] = outline.OutlineX[n];
    y_[at] = outline.OutlineY[n];
    id_[at] = n;
  }
}

std::optional<OutlineMatch> OutlineBuckets::FindNearest(double x, double y, int near) const {
  if (near < 0 || start_.empty()) return std::nullopt;
  const double nx = x - outline_.OutlineX[near];
  const double ny = y - outline_.OutlineY[near];
  OutlineMatch best{near, nx * nx + ny * ny, -1};
  // Every pixel at a squared distance up to best.q lies within its root (and
  // a few roundings' width) of (x, y) along each axis.
  const double reach = std::sqrt(best.q) * (1 + 0x1p-40) + 0x1p-40;
  constexpr double PerPixel = 1.0 / Side;  // exact: Side is a power of two
  const double left = std::floor((x - reach - x0_) * PerPixel);
  const double right = std::floor((x + reach - x0_) * PerPixel);
  const double top = std::floor((y - reach - y0_) * PerPixel);
  const double bottom = std::floor((y + reach - y0_) * PerPixel);
  if (right - left > 2 * MaxReach || bottom - top > 2 * MaxReach) return std::nullopt;
  const int c0 = std::max(0, static_cast<int>(left));
  const int c1 = std::min(columns_ - 1, static_cast<int>(right));
  const int r0 = std::max(0, static_cast<int>(top));
  const int r1 = std::min(rows_ - 1, static_cast<int>(bottom));
  if (c0 > c1 || r0 > r1) return std::nullopt;
  for (int r = r0; r <= r1; ++r) {
    const size_t row = static_cast<size_t>(r) * columns_;
    for (int e = start_[row + c0]; e < start_[row + c1 + 1]; ++e) {
      const double ex = x - x_[e];
      const double ey = y - y_[e];
      const double q = ex * ex + ey * ey;
      if (q < best.q || (q == best.q && id_[e] < best.n)) best = {id_[e], q, -1};
    }
  }
  if (!(best.q < NearestOutlineBound)) return OutlineMatch{};
  return best;
}

}  // namespace puffel
