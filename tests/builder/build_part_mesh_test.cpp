// Whole builds through the add-picture button.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/main_window.h"
#include "platform/bmp_file.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr uint32_t Paper = 0xFFFFFF;

Bitmap disc(uint32_t colour = 0x3080C0) {
  return test::DiscPicture(120, 100, 60, 50, 40, colour, Paper);
}

TEST(BuildPartMesh, ThreeStackedPartsHangInAChain) {
  ScriptedApp program;
  program.AddPicture(disc(0x800000), "a.bmp");
  program.AddPicture(disc(0x008000), "b.bmp");
  program.AddPicture(disc(0x000080), "c.bmp");
  const Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 3);
  EXPECT_EQ(scene.ParentMatrix[1][0], 1);
  EXPECT_EQ(scene.ParentMatrix[2][1], 1);
  EXPECT_EQ(scene.ParentMatrix[3][2], 1);
  EXPECT_EQ(scene.AncestorMatrix[3][0], 1);
  EXPECT_EQ(scene.AncestorMatrix[3][1], 1);
  EXPECT_EQ(scene.AncestorMatrix[3][2], 1);
  EXPECT_EQ(scene.AncestorMatrix[3][3], 0);
}

TEST(BuildPartMesh, ProgressBarRunsThroughItsListThenFullAndEmpty) {
  ScriptedApp program;
  std::vector<int> shown;
  Control& bar = program.form1().ProgressBar1;
  bar.Changed = [&] {
    if (shown.empty() || shown.back() != bar.Position()) shown.push_back(bar.Position());
  };
  program.form1().TrackBar1.SetPosition(1);
  program.AddPicture(disc());
  const std::vector<int> list = {5, 10, 15, 25, 30, 35, 45, 50, 55, 65, 70, 75, 85, 90};
  ASSERT_GE(shown.size(), 8u);
  EXPECT_EQ(std::vector<int>(shown.end() - 2, shown.end()), (std::vector<int>{100, 0}));
  const std::vector<int> during(shown.begin(), shown.end() - 2);
  EXPECT_EQ(during, std::vector<int>(list.begin(), list.begin() + during.size()));
  EXPECT_GE(during.back(), 75);
}

// Default sliders: a mirror-symmetric body, in pixels around the pivot, with a
// frame of unit axes at the pivot.
TEST(BuildPartMesh, DefaultBuildIsSymmetricAndPivotRelative) {
  ScriptedApp program;
  program.AddPicture(disc());
  const Scene& scene = program.scene();
  const Frame& frame = scene.PartFrame[0];
  EXPECT_EQ(frame.Origin.x, scene.PartPosX[0]);
  EXPECT_EQ(frame.TipZ.z, 1);
  const double dx = scene.PartOffsetX[0] - scene.PartPosX[0];
  int inside = 0;
  for (int i = 1; i < scene.GridColumns[0]; ++i) {
    for (int j = 1; j < scene.GridRows[0]; ++j) {
      if (scene.GridState[0][i][j] == 0) continue;
      EXPECT_EQ(scene.FrontX[0][i][j], scene.BackX[0][i][j]);
      EXPECT_EQ(scene.FrontZ[0][i][j], -scene.BackZ[0][i][j]);
      EXPECT_NEAR(scene.FrontX[0][i][j], scene.TexU[0][i][j] + dx, 40);
      inside += scene.GridState[0][i][j] == 2;
    }
  }
  EXPECT_GT(inside, 40);
  EXPECT_EQ(scene.DrawOrder, 1);
}

TEST(BuildPartMesh, SlidersShapeTheBody) {
  ScriptedApp program;
  program.form1().TrackBar4.SetPosition(0);
  program.form1().TrackBar5.SetPosition(20);
  program.AddPicture(disc());
  const Scene& scene = program.scene();
  double deepest = 0;
  for (int i = 0; i <= scene.GridColumns[0]; ++i) {
    for (int j = 0; j <= scene.GridRows[0]; ++j) {
      EXPECT_EQ(scene.FrontZ[0][i][j], 0);
      deepest = std::max(deepest, scene.BackZ[0][i][j]);
    }
  }
  EXPECT_GT(deepest, 60);  // twice a half-thickness of about 40
}

TEST(BuildPartMesh, CopiesThreeAndFourShowTheBledPictures) {
  ScriptedApp program;
  program.AddPicture(disc(), "cat.bmp");
  const Scene& scene = program.scene();
  Bitmap front;
  Bitmap back;
  LoadBitmapFile(program.folder() / "save/cat.bmp3", front);
  LoadBitmapFile(program.folder() / "save/cat.bmp4", back);
  EXPECT_EQ(front, scene.PartPicture[0]);
  EXPECT_EQ(back, scene.PartBackPicture[0]);
  const Bitmap original = disc();
  int bled = 0;
  for (int y = 0; y < original.Height(); ++y) {
    for (int x = 0; x < original.Width(); ++x) {
      if (original.Row(y)[x] != front.Row(y)[x]) {
        EXPECT_EQ(original.Row(y)[x], Paper);
        ++bled;
      }
    }
  }
  EXPECT_GT(bled, 100);
  EXPECT_EQ(scene.PartCutout[0].Row(0)[0], 0u);  // the cut-out and mask are not bled
}

// A copy that cannot be written is reported once; the part is still
// finished: pivot-relative mesh, frame at the pivot, links rebuilt.
TEST(BuildPartMesh, FailedCopiesStillFinishThePart) {
  ScriptedApp reference;
  reference.AddPicture(disc());
  ScriptedApp program;
  std::filesystem::remove_all(program.folder() / "save");
  program.AddPicture(disc());
  EXPECT_EQ(program.errors.size(), 1u);
  const Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 1);
  EXPECT_EQ(scene.PartFrame[0].Origin.x, scene.PartPosX[0]);
  EXPECT_EQ(scene.ParentMatrix[1][0], 1);
  for (int i = 0; i <= scene.GridColumns[0]; ++i) {
    for (int j = 0; j <= scene.GridRows[0]; ++j) {
      EXPECT_EQ(scene.FrontX[0][i][j], reference.scene().FrontX[0][i][j]);
      EXPECT_EQ(scene.BackZ[0][i][j], reference.scene().BackZ[0][i][j]);
    }
  }
}

}  // namespace
}  // namespace puffel
