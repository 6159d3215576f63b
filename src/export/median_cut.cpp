#include "export/median_cut.h"

#include <algorithm>
#include <cstddef>

namespace puffel {

namespace {

struct ColourCount {
  uint32_t colour;
  uint32_t count;
  int entry;
};

int channel(uint32_t colour, int c) { return static_cast<int>((colour >> (16 - 8 * c)) & 0xFF); }

// The distinct colours of a box, distinct[first..end-1].
struct Box {
  size_t first;
  size_t end;
  uint64_t pixels;
  int widest;  // the channel of the widest range: 0 red, 1 green, 2 blue
  int range;

  uint64_t Priority() const { return end - first < 2 ? 0 : pixels * static_cast<uint64_t>(range); }
};

Box boxOf(const std::vector<ColourCount>& distinct, size_t first, size_t end) {
  int low[3] = {255, 255, 255};
  int high[3] = {0, 0, 0};
  uint64_t pixels = 0;
  for (size_t n = first; n < end; ++n) {
    pixels += distinct[n].count;
    for (int c = 0; c < 3; ++c) {
      low[c] = std::min(low[c], channel(distinct[n].colour, c));
      high[c] = std::max(high[c], channel(distinct[n].colour, c));
    }
  }
  Box box{first, end, pixels, 0, high[0] - low[0]};
  for (int c = 1; c < 3; ++c) {
    if (high[c] - low[c] > box.range) box = {first, end, pixels, c, high[c] - low[c]};
  }
  return box;
}

// Sorts the box's colours along its widest channel and splits it where half
// its pixels lie below; both halves keep at least one colour.
std::pair<Box, Box> split(std::vector<ColourCount>& distinct, const Box& box) {
  const int c = box.widest;
  std::sort(distinct.begin() + box.first, distinct.begin() + box.end,
            [c](const ColourCount& a, const ColourCount& b) {
              const int ka = channel(a.colour, c);
              const int kb = channel(b.colour, c);
              return ka != kb ? ka < kb : a.colour < b.colour;
            });
  uint64_t below = 0;
  size_t cut = box.first + 1;
  for (size_t n = box.first; n + 1 < box.end; ++n) {
    below += distinct[n].count;
    cut = n + 1;
    if (2 * below >= box.pixels) break;
  }
  return {boxOf(distinct, box.first, cut), boxOf(distinct, cut, box.end)};
}

uint32_t meanOf(const std::vector<ColourCount>& distinct, const Box& box) {
  uint64_t sum[3] = {0, 0, 0};
  for (size_t n = box.first; n < box.end; ++n) {
    for (int c = 0; c < 3; ++c)
      sum[c] += uint64_t{distinct[n].count} * channel(distinct[n].colour, c);
  }
  uint32_t mean = 0;
  for (int c = 0; c < 3; ++c)
    mean = mean << 8 | static_cast<uint32_t>((sum[c] + box.pixels / 2) / box.pixels);
  return mean;
}

}  // namespace

Palette MedianCutPalette(std::span<const uint32_t> colours, int maxColours) {
  Palette palette;
  if (colours.empty()) return palette;
  std::vector<uint32_t> sorted(colours.begin(), colours.end());
  for (uint32_t& colour : sorted) colour &= 0xFFFFFF;
  std::sort(sorted.begin(), sorted.end());
  std::vector<ColourCount> distinct;
  for (size_t n = 0; n < sorted.size();) {
    size_t end = n + 1;
    while (end < sorted.size() && sorted[end] == sorted[n]) ++end;
    distinct.push_back({sorted[n], static_cast<uint32_t>(end - n), 0});
    n = end;
  }

  std::vector<Box> boxes{boxOf(distinct, 0, distinct.size())};
  while (static_cast<int>(boxes.size()) < maxColours) {
    const auto widest =
        std::max_element(boxes.begin(), boxes.end(),
                         [](const Box& a, const Box& b) { return a.Priority() < b.Priority(); });
    if (widest->Priority() == 0) break;  // every box is one colour
    const auto [low, high] = split(distinct, *widest);
    *widest = low;
    boxes.push_back(high);
  }
  for (const Box& box : boxes) {
    const int entry = static_cast<int>(palette.colours.size());
    palette.colours.push_back(meanOf(distinct, box));
    for (size_t n = box.first; n < box.end; ++n) distinct[n].entry = entry;
  }

  // Each input colour finds its entry among the distinct colours in colour order.
  std::sort(distinct.begin(), distinct.end(),
            [](const ColourCount& a, const ColourCount& b) { return a.colour < b.colour; });
  palette.indices.resize(colours.size());
  for (size_t n = 0; n < colours.size(); ++n) {
    const uint32_t colour = colours[n] & 0xFFFFFF;
    const auto found =
        std::lower_bound(distinct.begin(), distinct.end(), colour,
                         [](const ColourCount& a, uint32_t value) { return a.colour < value; });
    palette.indices[n] = static_cast<uint8_t>(found->entry);
  }
  return palette;
}

}  // namespace puffel
