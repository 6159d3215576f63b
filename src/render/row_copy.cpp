#include "render/row_copy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace puffel {

void CopyRows(Bitmap& to, const Bitmap& from, RowBand rows) {
  const int width = std::min(to.Width(), from.Width());
  const int last = std::min({rows.last, to.Height() - 1, from.Height() - 1});
  if (width <= 0) return;
  for (int y = std::max(rows.first, 0); y <= last; ++y) {
    std::memcpy(to.Row(y), from.Row(y), sizeof(uint32_t) * width);
  }
}

}  // namespace puffel
