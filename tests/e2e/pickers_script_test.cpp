// The main window's pickers as puffel-batch shows them after a few drags,
// checked against a picture composed here from the wheel's formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "platform/bmp_file.h"
#include "platform/canvas.h"
#include "support/batch_process.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr uint32_t Face = 0xF0F0F0;

// The wheel pixel of column i, row j (0..80) as a row pixel 0x00RRGGBB; Face
// outside the black ring.
uint32_t wheelPixel(int i, int j) {
  constexpr double pi = std::numbers::pi;
  const int dx = i - 40;
  const int dy = j - 40;
  const int squared = dx * dx + dy * dy;
  if (squared >= 1670) return Face;
  if (squared >= 1601) return 0;
  double a = j < 40 ? pi / 2 : 3 * pi / 2;
  if (i != 40) {
    a = std::atan(static_cast<double>(dy) / dx);
    if (i < 40 && a < 0) a += 2 * pi;
    if (i > 40) a += pi;
  }
  const double starts[] = {0, pi / 3, 2 * pi / 3, pi, 4 * pi / 3, 5 * pi / 3};
  int sextant = 5;
  while (sextant > 0 && a < starts[sextant]) --sextant;
  const double t = (a - starts[sextant]) / pi * 3;
  const double up = std::trunc(255 * t);
  const double down = std::trunc(255 - 255 * t);
  const double pure[6][3] = {{255, up, 0},   {down, 255, 0}, {0, 255, up},
                             {0, down, 255}, {up, 0, 255},   {255, 0, down}};
  const double s = std::sqrt(static_cast<double>(squared)) / 80;
  uint32_t pixel = 0;
  for (double channel : pure[sextant]) {
    pixel = pixel << 8 | static_cast<uint32_t>(std::trunc((1 - s) * 255 + s * channel));
  }
  return pixel;
}

// A mark's cross of row pixels: five pixels each way from (cx, cy).
void cross(Bitmap& picture, int cx, int cy, uint32_t pixel) {
  for (int d = -5; d <= 5; ++d) {
    picture.Row(cy)[cx + d] = pixel;
    picture.Row(cy + d)[cx] = pixel;
  }
}

TEST(PickersScript, TheMainWindowShowsTheWheelTheMarkersAndTheBox) {
  test::ProgramFolderFixture folder;
  const test::BatchRun run = test::RunBatch(folder.Path(),
                                            "dblclick form1 70 40\n"
                                            "move form1 60 70 left\n"
                                            "release form1 60 70 none\n"
                                            "press form1 30 60 right\n"
                                            "release form1 30 60 none\n"
                                            "press form1 130 30 left\n"
                                            "press form1 187 90 right\n"
                                            "press form1 150 60 middle\n"
                                            "release form1 150 60 none\n"
                                            "snapshot form1 " +
                                                folder.Path() + "form1.bmp\n");
  ASSERT_EQ(run.status, 0) << run.out;

  Bitmap expected = test::SolidPicture(200, 449, Face);
  for (int i = 0; i <= 80; ++i) {
    for (int j = 0; j <= 80; ++j) expected.Row(j + 14)[i + 14] = wheelPixel(i, j);
  }
  for (const auto& [x, y] :
       {std::pair{54, 14}, std::pair{54, 94}, std::pair{94, 54}, std::pair{14, 54}}) {
    expected.Row(y)[x] = 0;
  }
  // The light marker (46, 56), behind the figure: a black disc.
  expected.canvas.penColour = 0;
  expected.canvas.brushColour = 0;
  Ellipse(expected, 46 + 9, 56 + 9, 46 + 19, 56 + 19);
  cross(expected, 16 + 14, 46 + 14, 0);  // the colour mark (16, 46)

  // The material picture from x 100, cut off by the window's edge at 200.
  test::PaintBlock(expected, 100, 0, 200, 108, Face);
  test::PaintBlock(expected, 108, 14, 189, 95, 0);
  test::PaintBlock(expected, 109, 15, 188, 94, 0xFFFFFF);
  cross(expected, 21 + 109, 16 + 14, 0xFF0000);  // diffuse (21, 16)
  cross(expected, 78 + 109, 76 + 14, 0x0000FF);  // specular (78, 76)
  cross(expected, 41 + 109, 46 + 14, 0x008000);  // fade (41, 46)

  Bitmap shown;
  LoadBitmapFile(folder / "form1.bmp", shown);
  EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace puffel
