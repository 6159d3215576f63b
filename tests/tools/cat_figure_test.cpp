// The sample pictures in the running program: every part builds, and the cat
// assembles when it is dragged together as its table says.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "scene/scene.h"
#include "builder/finish.h"
#include "sample_art/cat_figure.h"
#include "sample_art/sample_set.h"
#include "support/scripted_app.h"

namespace puffel {
namespace {

using art::CatFigure;
using art::FigurePart;

bool hasInsidePoint(const Scene& scene, int k) {
  for (int i = 0; i <= scene.GridColumns[k]; ++i) {
    for (int j = 0; j <= scene.GridRows[k]; ++j) {
      if (scene.GridState[k][i][j] == 2) return true;
    }
  }
  return false;
}

bool onSilhouette(const Scene& scene, int k, double x, double y) {
  const int u = static_cast<int>(x - scene.PartOffsetX[k]);
  const int v = static_cast<int>(y - scene.PartOffsetY[k]);
  const Bitmap& mask = scene.PartMask[k];
  return x - scene.PartOffsetX[k] >= 0 && y - scene.PartOffsetY[k] >= 0 && u < mask.Width() &&
         v < mask.Height() && mask.Row(v)[u] == 0;
}

// What a press in the flat view holds: the highest-numbered part under the
// pointer, unless the pointer is within the open 5-pixel box of a joint
// marker (the highest-numbered one), which then is held as 1000 + part.
int flatPick(const Scene& scene, int x, int y) {
  int held = -1;
  for (int k = 0; k < scene.PartCount; ++k) {
    if (onSilhouette(scene, k, x, y)) held = k;
  }
  for (int k = 0; k < scene.PartCount; ++k) {
    if (std::abs(x - scene.PartPosX[k]) < 5 && std::abs(y - scene.PartPosY[k]) < 5) held = 1000 + k;
  }
  return held;
}

// A left drag in the flat view by (dx, dy) of what flatPick held: a picture
// moves with its marker; a marker moves alone, its body staying in place.
void flatDrag(Scene& scene, int held, double dx, double dy) {
  const int k = held >= 1000 ? held - 1000 : held;
  scene.PartPosX[k] += dx;
  scene.PartPosY[k] += dy;
  TranslatePartFrame(scene, k, dx, dy, 0);
  if (held >= 1000) {
    TranslatePartMesh(scene, k, -dx, -dy, 0);
  } else {
    scene.PartOffsetX[k] += dx;
    scene.PartOffsetY[k] += dy;
  }
}

int parentOf(const Scene& scene, int k) {
  for (int c = 0; c <= scene.PartCount; ++c) {
    if (scene.ParentMatrix[k + 1][c]) return c - 1;
  }
  return -2;
}

TEST(SampleParts, EveryPictureBuildsIntoAPartWithInsidePoints) {
  test::ScriptedApp program;
  for (const art::SamplePicture& sample : art::SamplePictures()) {
    if (sample.folder != "obj") continue;
    program.AddPicture(sample.draw(), sample.file);
    const int k = program.scene().PartCount - 1;
    EXPECT_TRUE(PartFilePath(program.scene(), k).ends_with(sample.file));
    EXPECT_TRUE(hasInsidePoint(program.scene(), k)) << sample.file;
  }
  EXPECT_TRUE(program.messages.empty());
  EXPECT_TRUE(program.errors.empty());
}

TEST(CatFigure, AssemblesWhenItsPicturesAndMarkersAreDraggedAsTheTableSays) {
  test::ScriptedApp program;
  Scene& scene = program.scene();
  const double centreX = scene.ViewWidth / 2;
  const double centreY = scene.ViewHeight / 2;
  for (int row = 0; row < static_cast<int>(CatFigure.size()); ++row) {
    SCOPED_TRACE(CatFigure[row].file);
    const FigurePart& part = CatFigure[row];
    EXPECT_EQ(part.parent < 0, row == 0);
    EXPECT_LT(part.parent, row);
    program.AddPicture(art::DrawCatPart(row), part.file);
    ASSERT_EQ(scene.PartCount, row + 1);

    // It lands with its marker at its picture's exact centre.
    EXPECT_EQ(scene.PartOffsetX[row], centreX - part.width / 2);
    EXPECT_EQ(scene.PartOffsetY[row], centreY - part.height / 2);
    EXPECT_EQ(scene.PartPosX[row], centreX);
    EXPECT_EQ(scene.PartPosY[row], centreY);
    if (row > 0) {
      // Drag the picture by its grab point to its corner beside the body ...
      const int grabX = static_cast<int>(scene.PartOffsetX[row]) + part.grabX;
      const int grabY = static_cast<int>(scene.PartOffsetY[row]) + part.grabY;
      ASSERT_EQ(flatPick(scene, grabX, grabY), row);
      flatDrag(scene, row, scene.PartOffsetX[0] + part.cornerX - scene.PartOffsetX[row],
               scene.PartOffsetY[0] + part.cornerY - scene.PartOffsetY[row]);
      Relink(scene);
      // ... then its marker onto its joint.
      ASSERT_EQ(flatPick(scene, static_cast<int>(scene.PartPosX[row]),
                         static_cast<int>(scene.PartPosY[row])),
                1000 + row);
      flatDrag(scene, 1000 + row, scene.PartOffsetX[row] + part.jointX - scene.PartPosX[row],
               scene.PartOffsetY[row] + part.jointY - scene.PartPosY[row]);
      Relink(scene);
    }
    EXPECT_TRUE(onSilhouette(scene, row, scene.PartPosX[row], scene.PartPosY[row]))
        << "the joint lies on the part itself";
    for (int k = 0; k <= row; ++k) EXPECT_EQ(parentOf(scene, k), CatFigure[k].parent) << k;
  }

  // The whole figure is in the view.
  for (int k = 0; k < scene.PartCount; ++k) {
    EXPECT_GE(scene.PartOffsetX[k], 0) << k;
    EXPECT_GE(scene.PartOffsetY[k], 0) << k;
    EXPECT_LE(scene.PartOffsetX[k] + CatFigure[k].width, scene.ViewWidth) << k;
    EXPECT_LE(scene.PartOffsetY[k] + CatFigure[k].height, scene.ViewHeight) << k;
  }
}

TEST(CatFigure, MirroredPartsMirrorTheirTableRowsAboutTheBody) {
  const int bodyWidth = CatFigure[0].width;
  for (const auto& [left, right] : {std::pair{2, 3}, std::pair{4, 5}}) {
    const FigurePart& l = CatFigure[left];
    const FigurePart& r = CatFigure[right];
    EXPECT_EQ(r.cornerX, bodyWidth - l.cornerX - l.width) << r.file;
    EXPECT_EQ(r.jointX, l.width - 1 - l.jointX) << r.file;
    EXPECT_EQ(r.grabX, l.width - 1 - l.grabX) << r.file;
    EXPECT_EQ(r.cornerY, l.cornerY) << r.file;
    EXPECT_EQ(r.jointY, l.jointY) << r.file;
  }
}

}  // namespace
}  // namespace puffel
