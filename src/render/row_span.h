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

  Span Row(double k1, double k2) const {
    const double beta[3] = {sign_ * k1 - slack_[0], -sign_ * k2 - slack_[1],
                            -sign_ * (k1 - k2) - slack_[2]};
    double low = -tMax_;
    double high = tMax_;
    for (int edge = 0; edge < 3; ++edge) {
      const double t = beta[edge] * inverse_[edge];
      if (role_[edge] == Role::Low) {
        low = std::max(low, t);
      } else if (role_[edge] == Role::High) {
        high = std::min(high, t);
      } else if (role_[edge] == Role::Whole && beta[edge] > 0) {
        return {x0_, x0_ - 1};
      }
    }
    const double first = std::clamp(firstBase_ + std::min(low, tMax_), x0_ + 0.0, x1_ + 1.0);
    const double last = std::clamp(lastBase_ + std::max(high, -tMax_), x0_ - 1.0, x1_ + 0.0);
    int from = static_cast<int>(first);  // first >= 0: truncation is the floor
    if (from < first) ++from;
    int to = static_cast<int>(last);
    if (to > last) --to;
    return {from, to};
  }

 private:
  // How an edge bounds t = dx: from below, from above, all rows alike (its
  // alpha is 0), or not at all (too small an alpha to divide by).
  enum class Role { Low, High, Whole, None };

  int x0_, x1_;
  double sign_;
  double tMax_;        // |dx| over the columns
  double slack_[3];    // per edge: loosening, and sign det for the third
  double inverse_[3];  // per edge: 1 / alpha
  Role role_[3];
  double firstBase_;  // a.x - 0.5 less the margin
  double lastBase_;   // a.x - 0.5 plus the margin
};

}  // namespace puffel
