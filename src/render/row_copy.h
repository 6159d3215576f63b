// Plain copies of a few rows of one picture onto another, so that a band of
// rows can be copied while it is still in the cache.
#pragma once

#include "platform/bitmap.h"
#include "render/fill.h"

namespace puffel {

// Copies the given rows of from onto to at (0, 0): what a plain-copy Draw of
// from at (0, 0) does within those rows, clipped to both pictures.
void CopyRows(Bitmap& to, const Bitmap& from, RowBand rows);

}  // namespace puffel
