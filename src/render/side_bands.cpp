#include "render/side_bands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "platform/numeric.h"

namespace puffel {

namespace {

// The side's area in view pixels; 0 when it is not finite.
double areaOf(const TriangleSide& side) {
  const std::array<Point3, 3>& v = side.view;
  const double area =
      std::abs((v[1].x - v[0].x) * (v[2].y - v[0].y) - (v[2].x - v[0].x) * (v[1].y - v[0].y)) / 2;
  return std::isfinite(area) ? area : 0;
}

}  // namespace

BandedSides::BandRange BandedSides::bandsOf(const TriangleSide& side, int height) {
  const std::array<Point3, 3>& v = side.view;
  const int top = std::max(TruncInt(std::min({v[0].y, v[1].y, v[2].y})), 0);
  const int bottom = std::min(TruncInt(std::max({v[0].y, v[1].y, v[2].y})), height - 1);
  if (top > bottom) return {1, 0};
  return {top / BandRows, bottom / BandRows};
}

void BandedSides::Index(int height) {
  ranges_.resize(sides.size());
  int first = std::numeric_limits<int>::max();
  int last = -1;
  for (size_t n = 0; n < sides.size(); ++n) {
    const BandRange range = bandsOf(sides[n], height);
    ranges_[n] = range;
    if (range.first <= range.last) {
      first = std::min(first, range.first);
      last = std::max(last, range.last);
    }
  }
  firstBand_ = first <= last ? first : 0;
  const size_t bands = first <= last ? last - first + 1 : 0;
  start_.assign(bands + 1, 0);
  area_.assign(bands, 0);
  order_.clear();
  if (bands == 0) return;

  // Counted, then placed: a counting sort by band that keeps walk order.
  for (size_t n = 0; n < sides.size(); ++n) {
    const BandRange range = ranges_[n];
    if (range.first > range.last) continue;
    const double share = areaOf(sides[n]) / (range.last - range.first + 1);
    for (int band = range.first; band <= range.last; ++band) {
      ++start_[band - first + 1];
      area_[band - first] += share;
    }
  }
  for (size_t band = 0; band < bands; ++band) start_[band + 1] += start_[band];
  order_.resize(start_[bands]);
  next_.assign(start_.begin(), start_.end() - 1);
  for (size_t n = 0; n < sides.size(); ++n) {
    for (int band = ranges_[n].first; band <= ranges_[n].last; ++band) {
      order_[next_[band - first]++] = static_cast<uint32_t>(n);
    }
  }
}

std::span<const uint32_t> BandedSides::InBand(int band) const {
  if (band < firstBand_ || band > LastBand()) return {};
  const size_t n = band - firstBand_;
  return {order_.data() + start_[n], order_.data() + start_[n + 1]};
}

double BandedSides::AreaInBand(int band) const {
  if (band < firstBand_ || band > LastBand()) return 0;
  return area_[band - firstBand_];
}

}  // namespace puffel
