#include "export/median_cut.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace puffel {
namespace {

TEST(MedianCutPalette, KeepsEveryColourExactlyWhenThereAreFewEnough) {
  std::mt19937 random(7);
  for (const int distinct : {1, 2, 17, 255, 256}) {
    std::vector<uint32_t> wanted(distinct);
    for (uint32_t& colour : wanted) colour = random() & 0xFFFFFF;
    std::vector<uint32_t> colours(5000);
    // The top byte means nothing.
    for (uint32_t& colour : colours) colour = wanted[random() % distinct] | (random() << 24);
    const Palette palette = MedianCutPalette(colours, 256);
    ASSERT_EQ(palette.indices.size(), colours.size());
    EXPECT_EQ(palette.colours.size(), std::set<uint32_t>(wanted.begin(), wanted.end()).size());
    for (size_t n = 0; n < colours.size(); ++n) {
      ASSERT_EQ(palette.colours[palette.indices[n]], colours[n] & 0xFFFFFF) << distinct;
    }
  }
}

// Many colours: never more entries than asked for, every entry used, and each
// colour's entry is the mean of a box it lies in, so near it when the boxes
// are small; the same colours in any order give the same palette.
TEST(MedianCutPalette, ReducesManyColoursToNearEntries) {
  std::mt19937 random(11);
  std::vector<uint32_t> colours(40000);
  for (uint32_t& colour : colours) colour = random() & 0xFFFFFF;
  for (const int wanted : {1, 2, 16, 255}) {
    const Palette palette = MedianCutPalette(colours, wanted);
    EXPECT_EQ(static_cast<int>(palette.colours.size()), wanted);
    std::set<int> used(palette.indices.begin(), palette.indices.end());
    EXPECT_EQ(static_cast<int>(used.size()), wanted);
    double error = 0;
    for (size_t n = 0; n < colours.size(); ++n) {
      const uint32_t a = colours[n];
      const uint32_t b = palette.colours[palette.indices[n]];
      for (int shift = 0; shift < 24; shift += 8) {
        error +=
            std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
      }
    }
    // Uniform noise: a mean error per channel of a quarter of the box's side.
    const double side = 256 / std::cbrt(static_cast<double>(wanted));
    EXPECT_LT(error / (3.0 * colours.size()), side / 3) << wanted;
  }
  std::vector<uint32_t> shuffled = colours;
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  const Palette a = MedianCutPalette(colours, 255);
  const Palette b = MedianCutPalette(shuffled, 255);
  EXPECT_EQ(a.colours, b.colours);
}

TEST(MedianCutPalette, GivesTheMeanOfEachBoxRoundedAndNothingForNoColours) {
  EXPECT_TRUE(MedianCutPalette({}, 255).colours.empty());
  // Three pixels of 10 and one of 13 in one box: (30 + 13 + 2) / 4 = 11.
  const std::vector<uint32_t> colours{0x0A0A0A, 0x0A0A0A, 0x0A0A0A, 0x0D0D0D};
  const Palette palette = MedianCutPalette(colours, 1);
  EXPECT_EQ(palette.colours, std::vector<uint32_t>{0x0B0B0B});
}

}  // namespace
}  // namespace puffel
