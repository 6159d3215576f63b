#include "builder/outline_column.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace puffel {

namespace {

// Knuth's two-sum: s + e is exactly a + b.
void twoSum(double a, double b, double& s, double& e) {
  s = a + b;
  const double bPart = s - a;
  const double aPart = s - bPart;
  e = (a - aPart) + (b - bPart);
}

// The sign of the exact sum of the terms (Shewchuk's growing expansion: the
// components stay non-overlapping, the largest last).
int exactSignOfSum(const double* terms, int count) {
  double expansion[16];
  int size = 0;
  for (int t = 0; t < count; ++t) {
    double carry = terms[t];
    for (int c = 0; c < size; ++c) {
      double sum;
      double error;
      twoSum(carry, expansion[c], sum, error);
      expansion[c] = error;
      carry = sum;
    }
    expansion[size++] = carry;
  }
  for (int c = size - 1; c >= 0; --c) {
    if (expansion[c] != 0) return expansion[c] > 0 ? 1 : -1;
  }
  return 0;
}

// m * g exactly as two doubles, for a whole m below 2^17: g is split into a
// high part of 36 bits and a low part of 16 (Veltkamp), each product exact.
void exactProduct(double m, double g, double& high, double& low) {
  constexpr double Splitter = 131073.0;  // 2^17 + 1
  const double c = Splitter * g;
  const double gHigh = c - (c - g);
  const double gLow = g - gHigh;
  high = m * gHigh;
  low = m * gLow;
}

constexpr double RoundingUnit = 1.0 / 9007199254740992.0;  // 2^-53

}  // namespace

OutlineColumnSearch::OutlineColumnSearch(const OutlineList& outline) : outline_(outline) {
  for (int n = 0; n < outline.Count(); ++n) {
    if (n == 0 || outline.OutlineY[n] != outline.OutlineY[n - 1]) rowStart_.push_back(n);
  }
  rowStart_.push_back(outline.Count());
  rows_.reserve(rowStart_.size());
  envelope_.reserve(rowStart_.size());
  breaks_.reserve(rowStart_.size());
  breakErrors_.reserve(rowStart_.size());
}

// Whether the envelope's last parabola is nowhere strictly below both the one
// before it and the next one: the sign of a G_next - (a + b) G_last + b G_before
// with G = g + row², a and b the row steps. A rounded estimate decides unless
// it lies within its error bound of 0; then the exact sum does.
inline bool OutlineColumnSearch::hidesLast(const RowParabola& before, const RowParabola& last,
                                           const RowParabola& next) {
  const double a = last.row - before.row;
  const double b = next.row - last.row;
  const double t1 = a * next.top;
  const double t2 = (a + b) * last.top;
  const double t3 = b * before.top;
  const double estimate = (t1 - t2) + t3;
  // Each top is g + row² rounded once; with the products and sums that is
  // well within 8 units of rounding of the terms' total.
  const double bound = 8 * RoundingUnit * ((t1 + t2) + t3);
  if (estimate > bound) return false;
  if (estimate < -bound) return true;
  return exactSign(last.row - before.row, next.row - last.row, before, last, next) <= 0;
}

int OutlineColumnSearch::exactSign(int64_t a, int64_t b, const RowParabola& before,
                                   const RowParabola& last, const RowParabola& next) {
  const int64_t whole =
      a * next.row * next.row - (a + b) * last.row * last.row + b * before.row * before.row;
  double terms[7];
  exactProduct(static_cast<double>(a), next.g, terms[0], terms[1]);
  exactProduct(-static_cast<double>(a + b), last.g, terms[2], terms[3]);
  exactProduct(static_cast<double>(b), before.g, terms[4], terms[5]);
  terms[6] = static_cast<double>(whole);
  return exactSignOfSum(terms, 7);
}

void OutlineColumnSearch::SetLine(double x) {
  // Lines usually come left to right, so each row's split point only moves on.
  const bool restart = rows_.empty() || x < x_;
  x_ = x;
  const size_t rowCount = rowStart_.size() - 1;
  rows_.resize(rowCount);
  splits_.resize(rowCount);
  envelope_.resize(rowCount);
  const int32_t* const ox = outline_.OutlineX.data();
  // Each row's parabola g + (y - row)² joins the lower envelope, top to
  // bottom, as soon as it is known.
  size_t size = 0;
  for (size_t r = 0; r < rowCount; ++r) {
    const int32_t first = rowStart_[r];
    const int32_t end = rowStart_[r + 1];
    int32_t split = restart ? first : splits_[r];
    while (split < end && ox[split] <= x) ++split;
    splits_[r] = split;
    RowParabola& row = rows_[r];
    row.row = outline_.OutlineY[first];
    row.left = split > first ? split - 1 : -1;
    row.right = split < end ? split : -1;
    row.g = std::numeric_limits<double>::infinity();
    if (row.left >= 0) {
      const double ex = x - ox[row.left];
      row.g = ex * ex;
    }
    if (row.right >= 0) {
      const double ex = x - ox[row.right];
      row.g = std::min(row.g, ex * ex);
    }
    row.top = row.g + static_cast<double>(row.row) * row.row;
    while (size >= 2 && hidesLast(rows_[envelope_[size - 2]], rows_[envelope_[size - 1]], row)) {
      --size;
    }
    envelope_[size++] = static_cast<int32_t>(r);
  }
  envelope_.resize(size);
  breaks_.clear();
  breakErrors_.clear();
  at_ = 0;
}

// Where the envelope passes from entry e to e + 1 (computed when first
// needed), with a bound of its rounding.
void OutlineColumnSearch::addBreak() {
  const RowParabola& upper = rows_[envelope_[breaks_.size()]];
  const RowParabola& lower = rows_[envelope_[breaks_.size() + 1]];
  const double y = (lower.top - upper.top) / (2.0 * (lower.row - upper.row));
  breaks_.push_back(y);
  breakErrors_.push_back(32 * RoundingUnit * (upper.top + lower.top + std::abs(y)));
}

std::optional<OutlineMatch> OutlineColumnSearch::FindNearest(double y) {
  if (envelope_.empty()) return OutlineMatch{};
  const auto breakAfter = [&](size_t e) {
    while (breaks_.size() <= e) addBreak();
    return breaks_[e];
  };
  while (at_ + 1 < envelope_.size() && breakAfter(at_) <= y) ++at_;
  const RowParabola& row = rows_[envelope_[at_]];
  OutlineMatch best{-1, std::numeric_limits<double>::infinity(), -1};
  for (const int32_t n : {row.left, row.right}) {
    if (n < 0) continue;
    const double ex = x_ - outline_.OutlineX[n];
    const double ey = y - outline_.OutlineY[n];
    const double q = ex * ex + ey * ey;
    if (q < best.q) best = {n, q, -1};
  }
  // Every other row lies at least twice the distance to the envelope row's
  // ends above it; far more than the rounding of any squared distance.
  const double margin = 0x1p-44 * (best.q + 1);
  if (at_ > 0 && !(y - breaks_[at_ - 1] > breakErrors_[at_ - 1] + margin)) return std::nullopt;
  if (at_ + 1 < envelope_.size() && !(breakAfter(at_) - y > breakErrors_[at_] + margin)) {
    return std::nullopt;
  }
  if (!(best.q < NearestOutlineBound)) return OutlineMatch{};
  return best;
}

LineByLineSearch::LineByLineSearch(const OutlineList& outline, const OutlineIndex& index)
    : column_(outline), index_(index) {}

void LineByLineSearch::StartLine(double x, int points) {
  // Setting a line up costs about one index search per 32 outline rows for
  // points deep inside a round shape, where the index has many nearly equal
  // pixels to tell apart.
  constexpr int RowsPerPoint = 32;
  onColumn_ = points > 0 && static_cast<int64_t>(points) * RowsPerPoint >= column_.RowCount();
  if (onColumn_) column_.SetLine(x);
}

OutlineMatch LineByLineSearch::FindNearest(double x, double y) {
  if (onColumn_ && column_.Line() == x) {
    if (const std::optional<OutlineMatch> found = column_.FindNearest(y)) return *found;
  }
  const OutlineMatch match = index_.FindNearest(x, y, hint_);
  if (match.n >= 0) hint_ = match.slot;
  return match;
}

}  // namespace puffel
