// An exact spatial index over the outline pixels: a k-d tree whose searches
// give the same answers as scanning the whole outline list, distances computed
// by the very same double expressions and ties broken by the lowest list index.
#pragma once

#include <cstdint>
#include <vector>

#include "builder/outline.h"

namespace puffel {

// Squared distances at or above this bound never make a nearest outline pixel.
constexpr double NearestOutlineBound = 9999999.0;

struct OutlineMatch {
  int n = -1;     // list index of the nearest outline pixel; -1 when there is none
  double q = 0;   // its squared distance (x - OutlineX[n])² + (y - OutlineY[n])²
  int slot = -1;  // where it sits in the index: a hint for the next search
};

class OutlineIndex {
 public:
  explicit OutlineIndex(const OutlineList& outline);

  // The outline pixel n with the smallest q_n = (x - OutlineX[n])² + (y - OutlineY[n])²
  // below NearestOutlineBound, the lowest n among equal q_n. hintSlot (the slot
  // of an earlier match, or -1) only speeds the search up; the answer is the
  // same for every hint.
  OutlineMatch FindNearest(double x, double y, int hintSlot = -1) const;

  // For every outline pixel n not claimed before with q_n < limit: sets
  // reach[n] = value and claims n. Claims made in order of decreasing value
  // leave every pixel with the largest value that reached it. near (an
  // outline pixel close to (x, y), or -1) only speeds the claim up.
  void ClaimWithin(double x, double y, double limit, double value, std::vector<double>& reach,
                   int near = -1);

  // True when every outline pixel has been claimed.
  bool AllClaimed() const { return nodes_.empty() || nodes_[0].remaining == 0; }

 private:
  // A node's cell: every pixel outside the node has x <= x0 or x >= x1 or
  // y <= y0 or y >= y1 (pixels on a split line may lie on either side).
  struct Cell {
    int32_t x0, x1, y0, y1;
  };
  struct Node {
    double x0, x1, y0, y1;  // bounding box of the node's pixels
    int32_t begin, end;     // its pixels: slots begin..end-1
    int32_t right;          // the right child (the left one follows the node); 0 in a leaf
    int32_t remaining;      // pixels not yet claimed; in a leaf the first ones of its slots
    Cell cell;
  };

  int build(std::vector<int32_t>& order, int begin, int end, int parent, Cell cell,
            const OutlineList& outline);
  static bool cellHolds(const Node& node, double x, double y);
  bool holdsBall(const Node& node, double x, double y, double q) const;
  void search(int root, double x, double y, OutlineMatch& best) const;
  void consider(int slot, double x, double y, OutlineMatch& best) const;
  int claim(int node, double x, double y, double limit, double value, std::vector<double>& reach);

  std::vector<Node> nodes_;
  std::vector<int32_t> parent_;       // per node; -1 at the root
  std::vector<int32_t> leafOf_;       // per slot: its leaf
  std::vector<int32_t> leafOfPixel_;  // per list index: its leaf
  std::vector<int32_t> x_, y_, id_;   // the pixels in tree order, with their list index
};

}  // namespace puffel
