#include "builder/outline_index.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <utility>

namespace puffel {

namespace {

constexpr int LeafSize = 8;

// A lower bound of the squared distance from (x, y) to every pixel in the box,
// valid for the rounded values: each gap is no larger than the rounded
// difference it stands for, and squaring and adding rounded values keep order.
// (Outside the box one difference is positive and the other negative; inside
// both are at most 0.)
template <class Box>
inline double lowerBound(const Box& box, double x, double y) {
  const double gx = std::max(std::max(box.x0 - x, x - box.x1), 0.0);
  const double gy = std::max(std::max(box.y0 - y, y - box.y1), 0.0);
  return gx * gx + gy * gy;
}

}  // namespace

OutlineIndex::OutlineIndex(const OutlineList& outline) {
  const int count = outline.Count();
  if (count == 0) return;
  std::vector<int32_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  nodes_.reserve(static_cast<size_t>(count) / (LeafSize / 2) + 1);
  parent_.reserve(nodes_.capacity());
  leafOf_.resize(count);
  constexpr int32_t Far = std::numeric_limits<int32_t>::max();
  build(order, 0, count, -1, {-Far, Far, -Far, Far}, outline);
  x_.resize(count);
  y_.resize(count);
  id_ = std::move(order);
  leafOfPixel_.resize(count);
  for (int slot = 0; slot < count; ++slot) {
    x_[slot] = outline.OutlineX[id_[slot]];
    y_[slot] = outline.OutlineY[id_[slot]];
    leafOfPixel_[id_[slot]] = leafOf_[slot];
  }
}

int OutlineIndex::build(std::vector<int32_t>& order, int begin, int end, int parent, Cell cell,
                        const OutlineList& outline) {
  const int index = static_cast<int>(nodes_.size());
  int32_t x0 = outline.OutlineX[order[begin]], x1 = x0;
  int32_t y0 = outline.OutlineY[order[begin]], y1 = y0;
  for (int at = begin + 1; at < end; ++at) {
    x0 = std::min(x0, outline.OutlineX[order[at]]);
    x1 = std::max(x1, outline.OutlineX[order[at]]);
    y0 = std::min(y0, outline.OutlineY[order[at]]);
    y1 = std::max(y1, outline.OutlineY[order[at]]);
  }
  nodes_.push_back({static_cast<double>(x0), static_cast<double>(x1), static_cast<double>(y0),
                    static_cast<double>(y1), begin, end, 0, end - begin, cell});
  parent_.push_back(parent);
  if (end - begin <= LeafSize) {
    std::fill(leafOf_.begin() + begin, leafOf_.begin() + end, index);
    return index;
  }

  const bool alongX = x1 - x0 >= y1 - y0;
  const std::vector<int32_t>& axis = alongX ? outline.OutlineX : outline.OutlineY;
  const int middle = begin + (end - begin) / 2;
  std::nth_element(
      order.begin() + begin, order.begin() + middle, order.begin() + end,
      [&](int32_t a, int32_t b) { return axis[a] != axis[b] ? axis[a] < axis[b] : a < b; });
  // Pixels on the split line may fall on either side.
  const int32_t split = axis[order[middle]];
  Cell leftCell = cell;
  Cell rightCell = cell;
  (alongX ? leftCell.x1 : leftCell.y1) = split;
  (alongX ? rightCell.x0 : rightCell.y0) = split;
  build(order, begin, middle, index, leftCell, outline);
  const int right = build(order, middle, end, index, rightCell, outline);
  nodes_[index].right = right;
  return index;
}

// Whether (x, y) lies in the node's cell.
inline bool OutlineIndex::cellHolds(const Node& node, double x, double y) {
  return x >= node.cell.x0 && x <= node.cell.x1 && y >= node.cell.y0 && y <= node.cell.y1;
}

// Whether every pixel outside the node lies strictly farther from (x, y) than
// q: (x, y) lies inside the cell, farther than q's root from all its sides.
bool OutlineIndex::holdsBall(const Node& node, double x, double y, double q) const {
  const double toLeft = x - node.cell.x0;
  const double toRight = node.cell.x1 - x;
  const double toTop = y - node.cell.y0;
  const double toBottom = node.cell.y1 - y;
  return toLeft > 0 && toLeft * toLeft > q && toRight > 0 && toRight * toRight > q && toTop > 0 &&
         toTop * toTop > q && toBottom > 0 && toBottom * toBottom > q;
}

inline void OutlineIndex::consider(int slot, double x, double y, OutlineMatch& best) const {
  const double ex = x - x_[slot];
  const double ey = y - y_[slot];
  const double q = ex * ex + ey * ey;
  if (q < best.q || (q == best.q && id_[slot] < best.n)) best = {id_[slot], q, slot};
}

// Depth-first below root, the nearer child first; a subtree is skipped only
// when all of it lies strictly farther than the best so far, so equal entries
// are seen.
void OutlineIndex::search(int root, double x, double y, OutlineMatch& best) const {
  struct Pending {
    int node;
    double bound;
  };
  Pending stack[96];  // the tree is balanced: far fewer levels than that
  int top = 0;
  stack[top++] = {root, lowerBound(nodes_[root], x, y)};
  while (top > 0) {
    const Pending pending = stack[--top];
    if (pending.bound > best.q) continue;
    const Node& node = nodes_[pending.node];
    if (node.right == 0) {
      for (int slot = node.begin; slot < node.end; ++slot) consider(slot, x, y, best);
      continue;
    }
    const int left = pending.node + 1;
    const double leftBound = lowerBound(nodes_[left], x, y);
    const double rightBound = lowerBound(nodes_[node.right], x, y);
    if (leftBound <= rightBound) {
      stack[top++] = {node.right, rightBound};
      stack[top++] = {left, leftBound};
    } else {
      stack[top++] = {left, leftBound};
      stack[top++] = {node.right, rightBound};
    }
  }
}

OutlineMatch OutlineIndex::FindNearest(double x, double y, int hintSlot) const {
  if (nodes_.empty()) return {};
  OutlineMatch best{-1, NearestOutlineBound, -1};
  if (hintSlot < 0) {
    search(0, x, y, best);
  } else {
    // From the hint's leaf up to the first subtree whose cell holds (x, y),
    // searched whole; then on up, the sibling subtree at every level (mostly
    // skipped once the best is close), until the ball of the best lies within
    // the subtree's cell.
    int node = leafOf_[hintSlot];
    while (parent_[node] >= 0 && !cellHolds(nodes_[node], x, y)) node = parent_[node];
    search(node, x, y, best);
    while (parent_[node] >= 0 && !holdsBall(nodes_[node], x, y, best.q)) {
      const int up = parent_[node];
      const int sibling = node == up + 1 ? nodes_[up].right : up + 1;
      if (!(lowerBound(nodes_[sibling], x, y) > best.q)) search(sibling, x, y, best);
      node = up;
    }
  }
  if (best.n < 0) return {};
  return best;
}

void OutlineIndex::ClaimWithin(double x, double y, double limit, double value,
                               std::vector<double>& reach, int near) {
  if (nodes_.empty()) return;
  if (near < 0) {
    claim(0, x, y, limit, value, reach);
    return;
  }
  // As in FindNearest: from near's leaf up to the first subtree whose cell
  // holds (x, y), then the siblings on the way up until the cell holds the
  // whole range; the ancestors above learn of the claims afterwards.
  int node = leafOfPixel_[near];
  while (parent_[node] >= 0 && !cellHolds(nodes_[node], x, y)) node = parent_[node];
  int claimed = claim(node, x, y, limit, value, reach);
  while (parent_[node] >= 0 && !holdsBall(nodes_[node], x, y, limit)) {
    const int up = parent_[node];
    claimed += claim(node == up + 1 ? nodes_[up].right : up + 1, x, y, limit, value, reach);
    nodes_[up].remaining -= claimed;
    node = up;
  }
  if (claimed == 0) return;
  for (node = parent_[node]; node >= 0; node = parent_[node]) nodes_[node].remaining -= claimed;
}

int OutlineIndex::claim(int index, double x, double y, double limit, double value,
                        std::vector<double>& reach) {
  Node& node = nodes_[index];
  if (node.remaining == 0 || lowerBound(node, x, y) >= limit) return 0;
  int claimed = 0;
  if (node.right == 0) {
    // Claimed pixels move behind the remaining ones of the leaf.
    int last = node.begin + node.remaining;
    for (int slot = node.begin; slot < last;) {
      const double ex = x - x_[slot];
      const double ey = y - y_[slot];
      if (ex * ex + ey * ey < limit) {
        reach[id_[slot]] = value;
        --last;
        std::swap(x_[slot], x_[last]);
        std::swap(y_[slot], y_[last]);
        std::swap(id_[slot], id_[last]);
        ++claimed;
      } else {
        ++slot;
      }
    }
  } else {
    const int right = node.right;
    claimed = claim(index + 1, x, y, limit, value, reach);
    claimed += claim(right, x, y, limit, value, reach);
  }
  nodes_[index].remaining -= claimed;
  return claimed;
}

}  // namespace puffel
