#include "render/row_span.h"

#include <cmath>
#include <limits>

namespace puffel {

// Along a row the inside test compares u = (t e2.y - k1) / det,
// v = (k2 - t e1.y) / det and u + v with t = dx. The rounding of these (and of
// t itself) stays below 2^-50 of the magnitudes they combine, plus underflow;
// so a centre that passes satisfies the exact linear inequalities in t
//   alpha t >= beta:  sign e2.y t >= sign k1 - S1,  -sign e1.y t >= -sign k2 - S2,
//   -sign (e2.y - e1.y) t >= -sign (k1 - k2 + det) - S3,
// with each S 2^-40 of the largest magnitudes on the triangle's rows: a
// thousandfold margin that also covers the rounding of this bound, 1 / alpha
// included. Solving them gives the span, turned into columns with a margin
// of the same kind; leaving an edge out only widens it.
namespace {

constexpr double Slack = 0x1p-40;
constexpr double TinySlack = 0x1p-1000;
constexpr double TinyAlpha = 0x1p-900;  // 1 / alpha stays finite above this

}  // namespace

RowSpans::RowSpans(const SpanTriangle& t) : x0_(t.x0), x1_(t.x1), sign_(t.det > 0 ? 1.0 : -1.0) {
  // dx and dy grow with x and y, so the box's ends bound them.
  tMax_ = std::max(std::abs((t.x0 + 0.5) - t.ax), std::abs((t.x1 + 0.5) - t.ax));
  const double dyMax = std::max(std::abs((t.y0 + 0.5) - t.ay), std::abs((t.y1 + 0.5) - t.ay));
  const double k1Max = std::abs(t.e2x) * dyMax;
  const double k2Max = std::abs(t.e1x) * dyMax;
  const double absDet = std::abs(t.det);
  slack_[0] = Slack * (tMax_ * std::abs(t.e2y) + k1Max + absDet) + TinySlack;
  slack_[1] = Slack * (tMax_ * std::abs(t.e1y) + k2Max + absDet) + TinySlack;
  slack_[2] =
      sign_ * t.det +
      (Slack * (tMax_ * (std::abs(t.e1y) + std::abs(t.e2y)) + k1Max + k2Max + absDet) + TinySlack);
  const double alpha[3] = {sign_ * t.e2y, -sign_ * t.e1y, -sign_ * (t.e2y - t.e1y)};
  constexpr double Infinity = std::numeric_limits<double>::infinity();
  for (int edge = 0; edge < 3; ++edge) {
    // Picked by index rather than by branch: the roles change from side to side.
    const double inverse = 1 / alpha[edge];
    const bool low = alpha[edge] >= TinyAlpha;
    const bool high = alpha[edge] <= -TinyAlpha;
    const double scales[2] = {0, inverse};
    const double lowShifts[2] = {-Infinity, 0};
    const double highShifts[2] = {Infinity, 0};
    lowScale_[edge] = scales[low];
    lowShift_[edge] = lowShifts[low];
    highScale_[edge] = scales[high];
    highShift_[edge] = highShifts[high];
    wholeScale_[edge] = alpha[edge] == 0;
  }
  // Column x has t = (x + 0.5) - a.x up to rounding: x >= a.x + low - 0.5 and
  // x <= a.x + high - 0.5, loosened by the margin.
  const double margin = Slack * (std::abs(t.ax) + 2 * tMax_ + 1) + TinySlack;
  firstBase_ = t.ax - 0.5 - margin;
  lastBase_ = t.ax - 0.5 + margin;
}

}  // namespace puffel
