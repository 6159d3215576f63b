// The fill of one band of view rows with its sides in walk order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "scene/scene.h"
#include "render/fill.h"
#include "render/side_paint.h"
#include "render/side_pixels.h"
#include "render/triangle_side.h"

namespace puffel {

// Sets the band's rows of DepthBuffer to EmptyDepth and of OwnerBuffer to -1,
// and of ViewBitmap to black when black is set, each within its own height.
void ClearBand(Scene& scene, RowBand rows, bool black);

// The working memory of FillBandColouringLast, kept by its caller from band
// to band so that it is allocated only as it grows.
struct ColourLastMemory {
  // Consecutive sides of one part, sides[first..end-1].
  struct PartRun {
    size_t first;
    size_t end;
    double nearest;  // the nearest depth any of them can reach
  };
  // A side that keeps pixels of the band, ready to colour them.
  struct Keeper {
    SideWeights weights;
    SidePaint paint;
    int32_t part;
  };
  std::vector<PartRun> runs;
  std::vector<int32_t> keeperOf;  // per side: its place among the keepers, or -1
  std::vector<Keeper> keepers;
};

// Fills sides, in order, into the band's rows, with the result of FillTriangle
// filling them one after the other, but colours each pixel only once, for the
// side that keeps it; until then OwnerBuffer holds the side's place in sides.
// Where all depths are finite the depths are found part by part, the nearest
// parts first, with ties going to the earlier side as in order.
// Pays where the sides cover one another several times over. The band's rows
// of DepthBuffer and OwnerBuffer must be as ClearBand leaves them; needs
// fewer than 2^31 sides.
void FillBandColouringLast(Scene& scene, RowBand rows, std::span<const TriangleSide* const> sides,
                           ColourLastMemory& memory);

}  // namespace puffel
