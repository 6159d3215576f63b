#include "builder/nearest_outline.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "builder/outline_column.h"
#include "platform/numeric.h"

namespace puffel {

void PrepareMeasures(const Scene& scene, int k, const OutlineList& outline,
                     OutlineMeasures& measures) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  measures.NearestOutline.Redim(nx + 1, ny + 1);
  measures.NearestOutline.Fill(-1);
  measures.OutlineReach.assign(outline.Count(), 0);
}

void AdvanceSearchProgress(ProgressBarPosition& progressBar, int i, int nx) {
  static constexpr int Entries[14] = {5, 10, 15, 25, 30, 35, 45, 50, 55, 65, 70, 75, 85, 90};
  for (int s = 1; s <= 13; ++s) {
    if (progressBar.position == Entries[s - 1] && i > nx * s / 14) {
      MoveProgress(progressBar, Entries[s]);
    }
  }
}

namespace {

struct InsidePoint {
  double d2;
  int32_t i;
  int32_t j;
};

}  // namespace

void FindNearestOutlines(const Scene& scene, int k, const OutlineList& outline, OutlineIndex& index,
                         double f2, OutlineMeasures& measures, ProgressBarPosition& progressBar) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const int width = scene.PartPicture[k].Width();
  const int height = scene.PartPicture[k].Height();
  const auto state = scene.GridState[k];
  const auto frontX = scene.FrontX[k];
  const auto frontY = scene.FrontY[k];
  const auto searched = [&](int i, int j) {
    if (!(state[i][j] > 0)) return false;
    const int px = TruncInt(frontX[i][j] + 0.5);
    const int py = TruncInt(frontY[i][j] + 0.5);
    return px >= 0 && px < width && py >= 0 && py < height;
  };

  // The points of a column lie on one vertical line (square grid) or two, the
  // even and the odd rows (triangular grid), each searched top to bottom.
  LineByLineSearch lines[2] = {LineByLineSearch(outline, index), LineByLineSearch(outline, index)};
  std::optional<InsidePoint> deepest;  // the first of the deepest inside points
  for (int i = 1; i <= nx - 1; ++i) {
    const bool oneLine = ny - 1 < 2 || frontX[i][1] == frontX[i][2];
    int count[2] = {0, 0};
    for (int j = 1; j <= ny - 1; ++j) count[oneLine ? 0 : j % 2] += searched(i, j);
    lines[0].StartLine(frontX[i][oneLine ? 1 : 2], count[0]);
    if (!oneLine) lines[1].StartLine(frontX[i][1], count[1]);
    for (int j = 1; j <= ny - 1; ++j) {
      if (!searched(i, j)) continue;
      LineByLineSearch& line = lines[oneLine ? 0 : j % 2];
      const OutlineMatch match = line.FindNearest(frontX[i][j], frontY[i][j]);
      if (match.n < 0) continue;
      measures.NearestOutline[i][j] = match.n;
      if (state[i][j] == 2 && (!deepest || match.q > deepest->d2)) deepest = {match.q, i, j};
    }
    // The bar depends on the column only, so one advance per searched column
    // moves it through the same entries as one after every searched point.
    if (count[0] + count[1] > 0) AdvanceSearchProgress(progressBar, i, nx);
  }

  // Raising to the maximum does not depend on the order of the points: taken
  // from the deepest down, an outline pixel's first raise is its last, and it
  // leaves the index. The deepest point alone often reaches the whole outline,
  // so the others are listed only when it does not.
  const auto claim = [&](const InsidePoint& point) {
    index.ClaimWithin(frontX[point.i][point.j], frontY[point.i][point.j], point.d2 * f2, point.d2,
                      measures.OutlineReach, measures.NearestOutline[point.i][point.j]);
  };
  if (!deepest) return;
  claim(*deepest);
  if (index.AllClaimed()) return;
  std::vector<InsidePoint> inside;
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) {
      const int n = measures.NearestOutline[i][j];
      if (state[i][j] != 2 || n < 0) continue;
      inside.push_back({SquaredOutlineDistance(outline, n, frontX[i][j], frontY[i][j]), i, j});
    }
  }
  std::sort(inside.begin(), inside.end(),
            [](const InsidePoint& a, const InsidePoint& b) { return a.d2 > b.d2; });
  for (const InsidePoint& point : inside) {
    if (index.AllClaimed()) break;
    claim(point);
  }
}

PointDepth MeasurePoint(const OutlineList& outline, const OutlineMeasures& measures, int n,
                        double x, double y) {
  if (n < 0) return {};
  return {std::sqrt(SquaredOutlineDistance(outline, n, x, y)), std::sqrt(measures.OutlineReach[n])};
}

}  // namespace puffel
