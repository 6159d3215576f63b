#include "render/band_fill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace puffel {

void ClearBand(Scene& scene, RowBand rows, bool black) {
  ViewBuffer<double>& depth = scene.DepthBuffer;
  ViewBuffer<int32_t>& owner = scene.OwnerBuffer;
  Bitmap& view = scene.ViewBitmap;
  const int last = std::min(rows.last, std::max({depth.Height(), owner.Height(), view.Height()}));
  for (int y = std::max(rows.first, 0); y <= last; ++y) {
    if (y < depth.Height()) std::fill_n(depth.Row(y), depth.Width(), EmptyDepth);
    if (y < owner.Height()) std::fill_n(owner.Row(y), owner.Width(), -1);
    if (black && y < view.Height()) std::fill_n(view.Row(y), view.Width(), 0u);
  }
}

namespace {

using Keeper = ColourLastMemory::Keeper;
using PartRun = ColourLastMemory::PartRun;

// Splits sides into runs of one part each; none when a side's depths are not
// finite or too large to bound (its nearest depth is NaN).
void splitIntoParts(std::span<const TriangleSide* const> sides, std::vector<PartRun>& runs) {
  runs.clear();
  for (size_t n = 0; n < sides.size(); ++n) {
    const double nearest = NearestDepthOf(*sides[n]);
    if (std::isnan(nearest)) {
      runs.clear();
      return;
    }
    if (runs.empty() || sides[n]->part != sides[runs.back().first]->part) {
      runs.push_back({n, n + 1, nearest});
    } else {
      runs.back().end = n + 1;
      runs.back().nearest = std::min(runs.back().nearest, nearest);
    }
  }
}

}  // namespace

void FillBandColouringLast(Scene& scene, RowBand rows, std::span<const TriangleSide* const> sides,
                           ColourLastMemory& memory) {
  const FillArea area = FillAreaOf(scene);
  // The depth pass; the columns it wrote in.
  int first = area.width;
  int last = -1;
  const auto depthPass = [&](size_t n, auto tiesToLowerOwner) {
    const TriangleSide& side = *sides[n];
    const SideBox box = BoxOf(side, rows, area);
    if (box.Empty()) return;
    bool wrote = false;
    FillNearerPixels<true, decltype(tiesToLowerOwner)::value>(
        scene, side, box, static_cast<int32_t>(n),
        [&](uint32_t*, int, double, double, double) { wrote = true; });
    if (wrote) {
      first = std::min(first, box.x0);
      last = std::max(last, box.x1);
    }
  };
  // Part by part, the nearest parts first, so that the sides behind them
  // find their pixels taken and are mostly skipped whole; else in order.
  std::vector<PartRun>& runs = memory.runs;
  splitIntoParts(sides, runs);
  if (runs.empty()) {
    for (size_t n = 0; n < sides.size(); ++n) depthPass(n, std::false_type());
  } else {
    std::stable_sort(runs.begin(), runs.end(),
                     [](const PartRun& p, const PartRun& q) { return p.nearest < q.nearest; });
    for (const PartRun& run : runs) {
      for (size_t n = run.first; n < run.end; ++n) depthPass(n, std::true_type());
    }
  }
  if (first > last) return;

  // The colours, from the weights the keeping side had at the pixel: the same
  // terms give the same bits, and DepthBuffer holds its depth.
  std::vector<int32_t>& keeperOf = memory.keeperOf;
  std::vector<Keeper>& keepers = memory.keepers;
  keeperOf.assign(sides.size(), -1);
  keepers.clear();
  const int bottom = std::min(rows.last, area.height - 1);
  for (int y = rows.first; y <= bottom; ++y) {
    int32_t* owners = scene.OwnerBuffer.Row(y);
    const double* depth = scene.DepthBuffer.Row(y);
    uint32_t* pixels = scene.ViewBitmap.Row(y);
    int32_t current = -1;
    Keeper* keeper = nullptr;
    SideWeights::Row row{};
    for (int x = first; x <= last; ++x) {
      const int32_t n = owners[x];
      if (n < 0) continue;
      if (n != current) {
        current = n;
        int32_t& k = keeperOf[n];
        if (k < 0) {
          k = static_cast<int32_t>(keepers.size());
          const TriangleSide& side = *sides[n];
          Keeper& added = keepers.emplace_back(Keeper{SideWeights(side), SidePaint(), side.part});
          added.paint.Prepare(scene, side);
        }
        keeper = &keepers[k];
        row = keeper->weights.AtRow(y);
      }
      const Weights w = keeper->weights.At(x, row);
      owners[x] = keeper->part;
      pixels[x] = keeper->paint.Colour(w.u, w.v, depth[x]);
    }
  }
}

}  // namespace puffel
