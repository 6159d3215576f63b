// The fill of one band of view rows with its sides in walk order.
#pragma once

#include <span>

#include "app/scene.h"
#include "render/fill.h"
#include "render/triangle_side.h"

namespace puffel {

// Sets the band's rows of DepthBuffer to EmptyDepth and of OwnerBuffer to -1,
// and of ViewBitmap to black when black is set, each within its own height.
void ClearBand(Scene& scene, RowBand rows, bool black);

// Fills sides, in order, into the band's rows, with the result of FillTriangle
// filling them one after the other, but colours each pixel only once, for the
// side that keeps it; until then OwnerBuffer holds the side's place in sides.
// Where all depths are finite the depths are found part by part, the nearest
// parts first, with ties going to the earlier side as in order.
// Pays where the sides cover one another several times over. The band's rows
// of DepthBuffer and OwnerBuffer must be as ClearBand leaves them; needs
// fewer than 2^31 sides.
void FillBandColouringLast(Scene& scene, RowBand rows, std::span<const TriangleSide* const> sides);

}  // namespace puffel
