// Which columns of a row can hold pixel centres of a triangle: a conservative
// span from the edge equations, so that the fill tests only those pixels.
#pragma once

#include <algorithm>

namespace puffel {

struct Span {
  int first;
  int last;  // empty when last < first
};

// The weights' terms of a triangle a, b, c as the inside test forms them:
// e1 = b - a, e2 = c - a, det = e1.x e2.y - e2.x e1.y (not 0), and the box of
// columns x0..x1 and rows y0..y1 to be searched.
struct SpanTriangle {
  double ax, ay;
  double e1x, e1y;
  double e2x, e2y;
  double det;
  int x0, x1;
  int y0, y1;
};

// Every column x of x0..x1 whose centre (x + 0.5, y + 0.5) passes the inside
// test u >= 0, v >= 0, u + v <= 1, with u = (dx e2.y - k1) / det and
// v = (k2 - dx e1.y) / det, dx = (x + 0.5) - a.x, k1 = e2.x dy, k2 = e1.x dy,
// dy = (y + 0.5) - a.y, all in doubles, lies within Row(k1, k2) for a row y of
// y0..y1. Needs finite corners of size at most SpanLimit.
class RowSpans {
 public:
  static constexpr double SpanLimit = 0x1p200;

  explicit RowSpans(const SpanTriangle& t);

  // Inlined into the fill's loop over rows, which then keeps the terms in
  // registers instead of reading them again for every row.
  [[gnu::always_inline]] Span Row(double k1, double k2) const {
    const double beta[3] = {sign_ * k1 - slack_[0], -sign_ * k2 - slack_[1],
                            -sign_ * (k1 - k2) - slack_[2]};
    // Each edge bounds t as its role says; the weights pick that bound
    // without a branch.
    const auto lowOf = [&](int e) { return beta[e] * lowScale_[e] + lowShift_[e]; };
    const auto highOf = [&](int e) { return beta[e] * highScale_[e] + highShift_[e]; };
    const double low = std::max({-tMax_, lowOf(0), lowOf(1), lowOf(2)});
    const double high = std::min({tMax_, highOf(0), highOf(1), highOf(2)});
    if (beta[0] * wholeScale_[0] > 0 || beta[1] * wholeScale_[1] > 0 ||
        beta[2] * wholeScale_[2] > 0) {
      return {x0_, x0_ - 1};
    }
    const double first = std::clamp(firstBase_ + std::min(low, tMax_), x0_ + 0.0, x1_ + 1.0);
    const double last = std::clamp(lastBase_ + std::max(high, -tMax_), x0_ - 1.0, x1_ + 0.0);
    // The ceiling of first (>= 0) and the floor of last (>= -1), from their
    // truncations without a branch.
    const int from = static_cast<int>(first) + static_cast<int>(static_cast<int>(first) < first);
    const int to = static_cast<int>(last) - static_cast<int>(static_cast<int>(last) > last);
    return {from, to};
  }

 private:
  int x0_, x1_;
  double sign_;
  double tMax_;      // |dx| over the columns
  double slack_[3];  // per edge: loosening, and sign det for the third
  // Per edge, beta scale + shift is its bound on t: beta / alpha from below
  // (scale 1 / alpha, shift 0) or from above; -inf or +inf (scale 0) for an
  // edge that bounds all rows alike, its alpha being 0 (whole scale 1: a
  // positive beta leaves no column), or none, its alpha too small to divide by.
  double lowScale_[3], lowShift_[3];
  double highScale_[3], highShift_[3];
  double wholeScale_[3];
  double firstBase_;  // a.x - 0.5 less the margin
  double lastBase_;   // a.x - 0.5 plus the margin
};

}  // namespace puffel
