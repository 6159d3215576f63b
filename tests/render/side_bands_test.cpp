#include "render/side_bands.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace puffel {
namespace {

TriangleSide sideOverRows(double top, double bottom) {
  TriangleSide side;
  side.view = {Point3{0, top, 0}, Point3{10, top, 0}, Point3{0, bottom, 0}};
  return side;
}

std::vector<uint32_t> inBand(const BandedSides& banded, int band) {
  const std::span<const uint32_t> sides = banded.InBand(band);
  return {sides.begin(), sides.end()};
}

// Each band lists the sides whose box rows reach it, in walk order; rows
// outside the view reach no band, and a side's area is shared among its bands.
TEST(BandedSides, ListsEachBandsSidesInWalkOrder) {
  BandedSides banded;
  banded.sides = {sideOverRows(40, 70),                           // bands 1 and 2
                  sideOverRows(-30, -1),                          // above the view
                  sideOverRows(33, 33.9), sideOverRows(90, 500),  // band 1; bands 2 and 3
                  sideOverRows(std::numeric_limits<double>::quiet_NaN(), 5)};  // row 0
  banded.Index(100);
  EXPECT_EQ(banded.FirstBand(), 0);
  EXPECT_EQ(banded.LastBand(), 3);
  EXPECT_EQ(inBand(banded, 0), (std::vector<uint32_t>{4}));
  EXPECT_EQ(inBand(banded, 1), (std::vector<uint32_t>{0, 2}));
  EXPECT_EQ(inBand(banded, 2), (std::vector<uint32_t>{0, 3}));
  EXPECT_EQ(inBand(banded, 3), (std::vector<uint32_t>{3}));
  EXPECT_TRUE(banded.InBand(4).empty());
  EXPECT_EQ(banded.AreaInBand(1), 150 / 2.0 + 4.5);
  EXPECT_EQ(banded.AreaInBand(3), 2050 / 2.0);

  banded.sides.resize(2);  // indexed again, without the earlier bands
  banded.sides[0] = sideOverRows(-5, -2);
  banded.Index(100);
  EXPECT_GT(banded.FirstBand(), banded.LastBand());
  EXPECT_TRUE(banded.InBand(1).empty());
  EXPECT_EQ(banded.AreaInBand(1), 0);
}

}  // namespace
}  // namespace puffel
