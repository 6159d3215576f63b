// The picture intake of a build: the slot's pictures, the background colour's
// mask and cut-out, and the part's first placement.
#pragma once

#include <cstdint>

#include "scene/scene.h"
#include "platform/bitmap.h"

namespace puffel {

// Gives target the size of source and draws source into it at (0, 0).
void CopyPicture(const Bitmap& source, Bitmap& target);

// Gives target the size width x height and fills it with source scaled to that
// size: pixel (x, y) takes source pixel (x * Ws div width, y * Hs div height).
// A source of that size hands its pixels over instead of copying them and is
// left empty (0 x 0); target keeps its own canvas state either way.
void TakeScaledPicture(Bitmap& source, int width, int height, Bitmap& target);

// Blackens every pixel of cutout that has the canvas colour background, and
// makes mask white there and black elsewhere. Both pictures have one size.
void MakeCutoutAndMask(Bitmap& cutout, Bitmap& mask, uint32_t background);

// Centres part k's pivot and picture in the part window.
void PlacePart(Scene& scene, int k);

}  // namespace puffel
