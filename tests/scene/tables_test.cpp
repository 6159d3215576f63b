#include "scene/tables.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "scene/scene.h"

namespace puffel {
namespace {

// The plain meaning of re-dimensioning: cells that exist before and after keep
// their values, all others are 0.
using Plain3D = std::vector<std::vector<std::vector<double>>>;

Plain3D plainRedim(const Plain3D& old, int n1, int n2, int n3) {
  Plain3D resized(n1, std::vector<std::vector<double>>(n2, std::vector<double>(n3, 0.0)));
  for (int p = 0; p < n1 && p < static_cast<int>(old.size()); ++p) {
    for (int i = 0; i < n2 && i < static_cast<int>(old[p].size()); ++i) {
      for (int j = 0; j < n3 && j < static_cast<int>(old[p][i].size()); ++j) {
        resized[p][i][j] = old[p][i][j];
      }
    }
  }
  return resized;
}

int countDifferences(const Table3D<double>& table, const Plain3D& plain) {
  int different = 0;
  for (int p = 0; p < table.Size1(); ++p) {
    for (int i = 0; i < table.Size2(); ++i) {
      for (int j = 0; j < table.Size3(); ++j) different += table[p][i][j] != plain[p][i][j];
    }
  }
  return different;
}

// Random sequences of growing, shrinking and reshaping, with writes between,
// as builds, removals and loads make them.
TEST(Table3D, RedimKeepsOverlappingCellsAndZeroFillsTheRest) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int> size(0, 9);
  Table3D<double> table;
  Plain3D plain;
  for (int step = 0; step < 400; ++step) {
    int n1 = size(random) % 5;
    int n2 = table.Size2();
    int n3 = table.Size3();
    if (step % 3 == 0) n2 = size(random);
    if (step % 4 == 0) n3 = size(random);
    table.Redim(n1, n2, n3);
    plain = plainRedim(plain, n1, n2, n3);
    ASSERT_EQ(table.Size1(), n1);
    ASSERT_EQ(table.Size2(), n2);
    ASSERT_EQ(table.Size3(), n3);
    ASSERT_EQ(countDifferences(table, plain), 0) << "step " << step;
    for (int w = 0; w < 6 && n1 * n2 * n3 > 0; ++w) {
      const int p = random() % n1, i = random() % n2, j = random() % n3;
      table[p][i][j] = plain[p][i][j] = step + 0.5;
    }
  }
}

TEST(Table3D, PartsHaveOneRowStrideAndCopiesAreDeep) {
  Table3D<double> table;
  table.Redim(2, 3, 4);
  table[1][2][3] = 5;
  // Readers step through a part's cells with the stride Size3().
  EXPECT_EQ(&table[1][2][3] - &table[1][0][0], 2 * table.Size3() + 3);
  Table3D<double> copy = table;
  copy[1][2][3] = 6;
  EXPECT_EQ(table[1][2][3], 5);
  table.Redim(1, 3, 4);
  table.Redim(2, 3, 4);
  EXPECT_EQ(table[1][2][3], 0);  // a dropped part comes back zero
  EXPECT_EQ(copy[1][2][3], 6);
}

TEST(Table3D, PrepareChangesNothingUntilApplied) {
  Table3D<double> table;
  table.Redim(1, 2, 2);
  table[0][1][1] = 3;
  Table3D<double>::Redimension next = table.Prepare(2, 3, 3);
  EXPECT_EQ(table.Size1(), 1);
  EXPECT_EQ(table.Size2(), 2);
  EXPECT_EQ(table[0][1][1], 3);
  table.Apply(std::move(next));
  EXPECT_EQ(table.Size1(), 2);
  EXPECT_EQ(table.Size3(), 3);
  EXPECT_EQ(table[0][1][1], 3);
  EXPECT_EQ(table[1][2][2], 0);
}

TEST(RedimMeshTables, GivesAllNineTablesTheMaximumGrid) {
  Scene scene;
  scene.MaxGridColumns = 4;
  scene.MaxGridRows = 3;
  RedimMeshTables(scene, 2);
  scene.TexV[1][3][2] = 8;
  scene.MaxGridColumns = 5;
  RedimMeshTables(scene, 3);
  for (const Table3D<double>* table :
       {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX, &scene.BackY,
        &scene.BackZ, &scene.TexU, &scene.TexV}) {
    EXPECT_EQ(table->Size1(), 3);
    EXPECT_EQ(table->Size2(), 5);
    EXPECT_EQ(table->Size3(), 3);
  }
  EXPECT_EQ(scene.TexV[1][3][2], 8);
  EXPECT_EQ(scene.TexV[2][4][2], 0);
}

TEST(Table2D, RedimKeepsCellsAndCopiesAreDeep) {
  Table2D<int> table;
  table.Redim(2, 3);
  table[1][2] = 4;
  table.Redim(3, 2);
  EXPECT_EQ(table[1][1], 0);
  table[1][1] = 5;
  Table2D<int> copy = table;
  table.Redim(3, 4);
  EXPECT_EQ(table[1][1], 5);
  EXPECT_EQ(table[1][2], 0);  // dropped by the narrowing, zero when it came back
  EXPECT_EQ(table[2][3], 0);
  copy.Fill(-1);
  EXPECT_EQ(table[1][1], 5);
  EXPECT_EQ(copy[2][1], -1);
}

}  // namespace
}  // namespace puffel
