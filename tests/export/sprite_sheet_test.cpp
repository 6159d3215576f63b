// The sprite sheet as the menu entry writes it, read back with stb's PNG
// reader and nlohmann-json: every frame is the view drawn at its time and
// direction where a part is drawn, transparent elsewhere, and the atlas finds
// it.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <numeric>

#include "anim/key_edits.h"
#include "anim/key_poses.h"
#include "anim/playback_rate.h"
#include "export/png_reading.h"
#include "export/posed_figures.h"
#include "export/sheet_files.h"
#include "export/sprite_sheet.h"
#include "platform/paths.h"
#include "render/render_scene.h"

namespace puffel {
namespace {

Bitmap readRgbaPng(const std::string& path) { return test::DecodeRgbaPng(ReadFileBytes(path)); }

struct SheetCase {
  int directions;
  int keys;  // 0: the pose shown
  bool frameFiles;
  bool outlines;  // the view shows outlines; the sheet the filled figure still
};

class SpriteSheetExport : public ::testing::TestWithParam<SheetCase> {};

TEST_P(SpriteSheetExport, FramesAreTheViewWhereAPartIsDrawn) {
  const SheetCase c = GetParam();
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  TForm1& form1 = program->form1();
  test::PoseFigure(*program);
  scene.KeyInterval = 0.25;
  for (int k = 0; k < c.keys; ++k) {
    AppendKey(scene, *KeyOfScene(scene));
    test::TurnSubtree(scene, 3, {0, 0, 1}, 0.6);
  }
  // Keys at their own times, one eased, and a loop that is no whole number
  // of intervals: the frames follow the keys as the GIF's do.
  if (c.keys > 2) {
    ASSERT_TRUE(RetimeKey(scene, 1, 0.1));
    ASSERT_TRUE(RetimeKey(scene, 2, 0.6));
    scene.AnimationKeys[1].easing = Easing::Smooth;
  }
  program->Dispatch(
      [&] { form1.FindMenuEntry("SheetDirections" + std::to_string(c.directions))->Click(); });
  if (c.frameFiles) program->Dispatch([&] { form1.SheetFrameFiles.Click(); });
  scene.OutlineMode = c.outlines;
  program->Dispatch([&] { program->form2().FormPaint(); });
  const Scene before = scene;

  const std::string path = program->folder() / "pic_hozon/walk";
  program->Answer(path);
  program->Dispatch([&] { form1.ExportSheet.Click(); });
  ASSERT_TRUE(program->messages.empty()) << program->messages[0];
  EXPECT_EQ(std::memcmp(&before.PartFrame, &scene.PartFrame, sizeof scene.PartFrame), 0);
  EXPECT_EQ(scene.OutlineMode, c.outlines);
  EXPECT_EQ(scene.ViewBitmap, before.ViewBitmap);  // drawn again as it was

  const Bitmap sheet = readRgbaPng(path + ".png");
  const nlohmann::json atlas = nlohmann::json::parse(ReadFileBytes(path + ".json"));
  const int frames =
      c.keys == 0 ? 1 : static_cast<int>(std::ceil(before.LoopLength * PlaybackRate));
  ASSERT_EQ(atlas["frames"].size(), static_cast<size_t>(c.directions * frames));
  EXPECT_EQ(atlas["meta"]["image"], "walk.png");
  EXPECT_EQ(atlas["meta"]["size"]["w"], sheet.Width());
  EXPECT_EQ(atlas["meta"]["size"]["h"], sheet.Height());
  const nlohmann::json& source = atlas["frames"].begin().value()["spriteSourceSize"];
  const int w = source["w"], h = source["h"], left = source["x"], top = source["y"];

  // Every frame is read where its rectangle says; the rectangles lie in the
  // sheet, in its order, apart; nothing is drawn outside them. Where some
  // frame draws on each edge of the cut, the cut is the smallest.
  Bitmap outside = sheet;
  bool edges[4] = {};
  int total = 0;
  int n = 0;
  int lastX = -1, lastY = -1;
  for (const auto& [name, frame] : atlas["frames"].items()) {
    const int d = n / frames;
    const int f = n % frames;
    ++n;
    const int rx = frame["frame"]["x"], ry = frame["frame"]["y"];
    EXPECT_EQ(frame["frame"]["w"], w) << name;
    EXPECT_EQ(frame["frame"]["h"], h) << name;
    ASSERT_TRUE(rx >= 0 && ry >= 0 && rx + w <= sheet.Width() && ry + h <= sheet.Height()) << name;
    EXPECT_TRUE(f == 0 ? rx == 0 && ry > lastY : ry == lastY && rx > lastX) << name;
    EXPECT_TRUE(f == 0 && d > 0 ? ry >= lastY + h : rx == 0 || rx >= lastX + w) << name;
    lastX = rx;
    lastY = ry;
    EXPECT_EQ(frame["spriteSourceSize"], source) << name;
    EXPECT_EQ(frame["sourceSize"]["w"], scene.ViewWidth) << name;
    EXPECT_EQ(frame["direction"], d) << name;
    if (d == 0) total += frame["duration"].get<int>();

    Scene expected = before;
    expected.OutlineMode = false;
    if (c.keys > 0)
      PoseScene(expected, PoseAtTime(expected.AnimationKeys, expected.LoopLength, f / 30.0));
    TurnFigure(expected, d, c.directions);
    DrawScene3D(expected);
    int wrong = 0;
    for (int y = 0; y < scene.ViewHeight; ++y) {
      for (int x = 0; x < scene.ViewWidth; ++x) {
        const bool drawn = expected.OwnerBuffer(x, y) >= 0;
        const bool inCut = x >= left && x < left + w && y >= top && y < top + h;
        if (!inCut) {
          wrong += drawn;
          continue;
        }
        const uint32_t pixel = sheet.Row(ry + y - top)[rx + x - left];
        outside.Row(ry + y - top)[rx + x - left] = 0;
        wrong += pixel != (drawn ? 0xFF000000 | (expected.ViewBitmap.Row(y)[x] & 0xFFFFFF) : 0);
        edges[0] |= drawn && x == left;
        edges[1] |= drawn && x == left + w - 1;
        edges[2] |= drawn && y == top;
        edges[3] |= drawn && y == top + h - 1;
      }
    }
    EXPECT_EQ(wrong, 0) << name;
    if (c.frameFiles) {
      const Bitmap own = readRgbaPng(SheetFramePath(path + ".png", name));
      ASSERT_EQ(own.Width(), w) << name;
      int unlike = 0;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) unlike += own.Row(y)[x] != sheet.Row(ry + y)[rx + x];
      }
      EXPECT_EQ(unlike, 0) << name;
    }
  }
  EXPECT_EQ(outside, Bitmap(sheet.Width(), sheet.Height()));
  EXPECT_TRUE(edges[0] && edges[1] && edges[2] && edges[3]);
  EXPECT_EQ(total, c.keys == 0 ? 33 : std::lround(before.LoopLength * 1000));
  const auto files =
      std::distance(std::filesystem::directory_iterator(program->folder() / "pic_hozon"), {});
  EXPECT_EQ(files, 2 + (c.frameFiles ? c.directions * frames : 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, SpriteSheetExport,
                         ::testing::Values(SheetCase{1, 0, false, false},
                                           SheetCase{4, 3, true, true},
                                           SheetCase{8, 1, false, false}),
                         [](const ::testing::TestParamInfo<SheetCase>& info) {
                           const SheetCase& c = info.param;
                           return "Directions" + std::to_string(c.directions) + "Keys" +
                                  std::to_string(c.keys) + (c.frameFiles ? "FrameFiles" : "") +
                                  (c.outlines ? "Outlines" : "");
                         });

// Refusals show their message, write nothing and leave the view as it was.
TEST(SpriteSheetRefusal, NoPartsOrNoPartInTheViewWriteNothing) {
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  test::PoseFigure(*program);
  test::MoveTree(scene, 0, 5000, 0);
  program->Dispatch([&] { program->form2().FormPaint(); });
  const Scene before = scene;
  program->Answer(program->folder() / "pic_hozon/away.png");
  program->Dispatch([&] { program->form1().ExportSheet.Click(); });
  EXPECT_EQ(program->messages, std::vector<std::string>{"画面にパーツが映っていません！"});
  EXPECT_EQ(scene.ViewBitmap, before.ViewBitmap);
  EXPECT_EQ(std::memcmp(&before.PartFrame, &scene.PartFrame, sizeof scene.PartFrame), 0);

  test::ScriptedApp empty;
  empty.Dispatch([&] { empty.form1().ExportSheet.Click(); });
  EXPECT_EQ(empty.messages, std::vector<std::string>{"まだ画像を読み込んでいません！"});
  EXPECT_EQ(empty.PendingAnswers(), 0u);  // no dialog asked
  EXPECT_TRUE(std::filesystem::is_empty(program->folder() / "pic_hozon"));
}

}  // namespace
}  // namespace puffel
