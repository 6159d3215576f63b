#include "render/flat_view.h"

#include "platform/canvas.h"
#include "platform/numeric.h"

namespace puffel {

namespace {

constexpr const char* EmptySceneHelp[] = {
    "[画像追加] ボタンをクリックして、画像を読み込んで下さい。",
    "読み込まれた画像は、[2D<－>3D] ボタンで立体化されます。",
    "画像パーツ同士のつながりを設定して、",
    "骨格構造を持つ立体物を作ることもできます。",
    "詳しくは readme をお読み下さい。",
};
constexpr int EmptySceneHelpY[] = {10, 24, 52, 66, 94};

void fillBlack(Scene& scene) {
  scene.ViewBitmap.canvas.brushColour = 0;
  Rectangle(scene.ViewBitmap, -1, -1, scene.ViewWidth + 2, scene.ViewHeight + 2);
}

// A white plus sign, 13 pixels across with a black border, centred on (x, y).
void drawJointMarker(Bitmap& view, int x, int y) {
  view.canvas.penColour = 0;
  Rectangle(view, x - 7, y - 1, x + 8, y + 2);
  Rectangle(view, x - 1, y - 7, x + 2, y + 8);
  view.canvas.penColour = 0xFFFFFF;
  Line(view, x - 6, y, x + 7, y);
}

}  // namespace

bool FlatViewIsEmpty(const Scene& scene) {
  return scene.BackgroundName.empty() && scene.PartCount == 0;
}

void DrawFlatView(Scene& scene) {
  Bitmap& view = scene.ViewBitmap;
  if (FlatViewIsEmpty(scene)) {
    fillBlack(scene);
    view.canvas.fontColour = 0xFFFFFF;
    for (int line = 0; line < 5; ++line) {
      TextOut(view, 10, EmptySceneHelpY[line], EmptySceneHelp[line]);
    }
  } else {
    if (!scene.BackgroundName.empty()) {
      Draw(view, 0, 0, scene.BackgroundBitmap);
    } else {
      fillBlack(scene);
    }
    view.canvas.copyMode = CopyMode::And;
    for (int k = 0; k < scene.PartCount; ++k) {
      Draw(view, TruncInt(scene.PartOffsetX[k]), TruncInt(scene.PartOffsetY[k]), scene.PartMask[k]);
    }
    view.canvas.copyMode = CopyMode::Xor;
    for (int k = 0; k < scene.PartCount; ++k) {
      Draw(view, TruncInt(scene.PartOffsetX[k]), TruncInt(scene.PartOffsetY[k]),
           scene.PartCutout[k]);
    }
    view.canvas.copyMode = CopyMode::Copy;
    view.canvas.brushColour = 0xFFFFFF;
    for (int k = 0; k < scene.PartCount; ++k) {
      drawJointMarker(view, TruncInt(scene.PartPosX[k]), TruncInt(scene.PartPosY[k]));
    }
    // The outline drawing of the 3D view relies on a white pen and a black brush.
    view.canvas.brushColour = 0;
  }
}

}  // namespace puffel
