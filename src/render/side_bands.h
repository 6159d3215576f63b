// Sides in walk order, indexed by the bands of view rows they reach, so that
// each band can be filled with its own sides in walk order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "render/triangle_side.h"

namespace puffel {

// Rows per band of the fill: a band's rows of the view and its buffers stay in
// the cache while its sides are filled.
constexpr int BandRows = 32;

class BandedSides {
 public:
  // The sides, in walk order; Index them after changing them.
  std::vector<TriangleSide> sides;

  // Indexes the sides by the bands that the rows of their bounding boxes
  // reach in a view of height rows, as the fill finds those rows.
  void Index(int height);

  int FirstBand() const { return firstBand_; }
  int LastBand() const { return firstBand_ + static_cast<int>(area_.size()) - 1; }
  // The numbers of the sides that reach band, in walk order.
  std::span<const uint32_t> InBand(int band) const;
  // The sides' area in the view, in pixels, each side's shared evenly among
  // the bands it reaches: an estimate of the pixels they cover in band.
  double AreaInBand(int band) const;

 private:
  // The bands that the rows of a side's bounding box reach; first > last when
  // none.
  struct BandRange {
    int first;
    int last;
  };
  static BandRange bandsOf(const TriangleSide& side, int height);

  int firstBand_ = 0;
  std::vector<uint32_t> start_;    // per band from FirstBand, and one past the last
  std::vector<uint32_t> order_;    // side numbers, band after band
  std::vector<double> area_;       // per band from FirstBand
  std::vector<BandRange> ranges_;  // while indexing: each side's bands
  std::vector<uint32_t> next_;     // while placing: the next place of each band
};

}  // namespace puffel
