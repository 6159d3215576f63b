#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr uint32_t White = 0xFFFFFF;

struct TextCall {
  int x, y;
  std::string text;
  uint32_t colour;
};

TEST(FlatView, EmptySceneIsBlackWithFiveWhiteHelpLines) {
  std::vector<TextCall> calls;
  SetTextRenderer([&](Bitmap&, int x, int y, const std::string& text, uint32_t colour, int) {
    calls.push_back({x, y, text, colour});
  });
  ScriptedApp program;
  SetTextRenderer(nullptr);

  EXPECT_EQ(program.form2().Caption(), "Parts No.0");
  const Bitmap& view = program.scene().ViewBitmap;
  ASSERT_EQ(view.Width(), 400);
  EXPECT_EQ(view, test::SolidPicture(400, 400, 0));
  ASSERT_EQ(calls.size(), 5u);
  const int ys[] = {10, 24, 52, 66, 94};
  for (int line = 0; line < 5; ++line) {
    EXPECT_EQ(calls[line].x, 10);
    EXPECT_EQ(calls[line].y, ys[line]);
    EXPECT_EQ(calls[line].colour, White);
  }
  EXPECT_EQ(calls[0].text, "[画像追加] ボタンをクリックして、画像を読み込んで下さい。");
  EXPECT_EQ(calls[4].text, "詳しくは readme をお読み下さい。");
  EXPECT_EQ(program.form2().Surface(), view);
}

TEST(FlatView, ShowsCutOutsOverBlackAndXorsOverlaps) {
  ScriptedApp program;
  Bitmap first = test::SolidPicture(40, 40, White);
  test::PaintBlock(first, 1, 1, 40, 40, 0x00FF00);
  Bitmap second = test::SolidPicture(20, 20, White);
  test::PaintBlock(second, 1, 1, 20, 20, 0xFF0000);
  program.AddPicture(first);
  program.AddPicture(second);
  const Scene& scene = program.scene();
  const Bitmap& view = scene.ViewBitmap;
  // Picture corners: (180, 180) and (190, 190); pivots both at (200, 200).
  EXPECT_EQ(view.Row(180)[180], 0u);         // background pixel of the first picture
  EXPECT_EQ(view.Row(182)[182], 0x00FF00u);  // the first part alone
  EXPECT_EQ(view.Row(192)[192], 0xFFFF00u);  // both parts: exclusive-or of the two
  EXPECT_EQ(view.Row(191)[190], 0x00FF00u);  // the second picture's background column
  EXPECT_EQ(view.Row(100)[100], 0u);
}

TEST(FlatView, JointMarkerIsAWhitePlusWithABlackBorder) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(60, 60, 30, 30, 29, 0x0000FF, 0xFF0000));
  const Bitmap& view = program.scene().ViewBitmap;
  const int x = 200;
  const int y = 200;
  for (int d = -6; d <= 6; ++d) {
    EXPECT_EQ(view.Row(y)[x + d], White) << d;
    EXPECT_EQ(view.Row(y + d)[x], White) << d;
  }
  EXPECT_EQ(view.Row(y)[x - 7], 0u);
  EXPECT_EQ(view.Row(y)[x + 7], 0u);
  EXPECT_EQ(view.Row(y - 7)[x], 0u);
  EXPECT_EQ(view.Row(y + 7)[x], 0u);
  EXPECT_EQ(view.Row(y - 1)[x - 3], 0u);
  EXPECT_EQ(view.Row(y + 1)[x + 3], 0u);
  EXPECT_EQ(view.Row(y - 2)[x - 3], 0x0000FFu);  // the picture again
  // The canvas is left with a white pen and a black brush.
  EXPECT_EQ(view.canvas.penColour, White);
  EXPECT_EQ(view.canvas.brushColour, 0u);
}

}  // namespace
}  // namespace puffel
