// The outline of a part's picture: the silhouette pixels that touch the
// background, listed row by row, left to right. The list order breaks ties
// wherever the nearest outline pixel is looked for.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

namespace puffel {

struct OutlineList {
  std::vector<int32_t> OutlineX;
  std::vector<int32_t> OutlineY;

  int Count() const { return static_cast<int>(OutlineX.size()); }
};

// Every pixel (x, y) with 1 <= x <= W-2 and 1 <= y <= H-2 that is not of the
// background colour and has a background pixel above, below, left or right of
// it, in row-by-row order. The lists are sized by the outline length.
OutlineList FindOutline(const Bitmap& picture, uint32_t background);

}  // namespace puffel
