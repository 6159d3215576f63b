// A palette of at most 256 colours for a picture, by median cut.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace puffel {

struct Palette {
  std::vector<uint32_t> colours;  // 0x00RRGGBB
  std::vector<uint8_t> indices;   // per input colour, its palette entry
};

// The colours 0x00RRGGBB (top byte ignored) reduced to at most maxColours
// (1..256) palette entries, by median cut: the box of colours whose widest
// channel range times its pixel count is largest is split at the median
// pixel of that channel, until there are maxColours boxes or none can be
// split; each box's entry is its pixels' mean, rounded. With no more distinct
// colours than maxColours every colour is its own entry, exactly. Integer
// arithmetic only, so that every system gives the same palette.
Palette MedianCutPalette(std::span<const uint32_t> colours, int maxColours);

}  // namespace puffel
