#include "export/animation_gif.h"

#include <gtest/gtest.h>

#include <numeric>

#include "anim/key_edits.h"
#include "anim/key_poses.h"
#include "export/export_refusal.h"
#include "export/gif_reading.h"
#include "export/posed_figures.h"
#include "render/render_scene.h"

namespace puffel {
namespace {

// The mean difference per channel of two pictures of 0x00RRGGBB pixels.
double meanDifference(const std::vector<uint32_t>& a, const Bitmap& b) {
  double sum = 0;
  for (size_t n = 0; n < a.size(); ++n) {
    for (int shift = 0; shift < 24; shift += 8) {
      sum += std::abs(static_cast<int>(a[n] >> shift & 0xFF) -
                      static_cast<int>(b.Pixels()[n] >> shift & 0xFF));
    }
  }
  return sum / (3.0 * a.size());
}

TEST(AnimationGif, PlaysOneLoopOfTheKeysAtThePlaybackRate) {
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  test::PoseFigure(*program);
  EXPECT_THROW(AnimationGif(scene), ExportRefusal);
  scene.KeyInterval = 0.25;
  for (int k = 0; k < 3; ++k) {
    AppendKey(scene, *KeyOfScene(scene));
    test::TurnSubtree(scene, 3, {0, 0, 1}, 0.6);
  }
  const auto posed = scene.PartFrame;
  const test::ReadGif gif = test::ReadGifFile(AnimationGif(scene));
  EXPECT_EQ(std::memcmp(&posed, &scene.PartFrame, sizeof posed), 0);
  // 0.75 seconds: 22.5 frames, so 23, the last one shorter.
  ASSERT_EQ(gif.shown.size(), 23u);
  EXPECT_EQ(std::accumulate(gif.delays.begin(), gif.delays.end(), 0), 75);
  EXPECT_EQ(gif.delays[0], 3);
  EXPECT_EQ(gif.delays[1], 4);
  EXPECT_EQ(gif.delays.back(), 2);
  EXPECT_EQ(gif.width, scene.ViewWidth);
  EXPECT_TRUE(gif.loopsForever);
  // Each frame shows the view posed at its time, but for the palette.
  for (const int f : {0, 4, 15, 22}) {
    Scene expected = scene;
    PoseScene(expected, PoseAtTime(scene.AnimationKeys, scene.LoopLength, f / 30.0));
    DrawScene3D(expected);
    EXPECT_LT(meanDifference(gif.shown[f], expected.ViewBitmap), 1.0) << f;
  }
}

TEST(AnimationGif, FrameDelaysAddUpToTheLoop) {
  for (const double seconds : {0.25, 0.5, 0.75, 1.0, 2.0, 3.25, 64.0}) {
    const int frames = static_cast<int>(std::ceil(seconds * PlaybackRate));
    int total = 0;
    for (int f = 0; f < frames; ++f) {
      const int delay = FrameDelay(f, frames, seconds);
      EXPECT_GE(delay, 2) << seconds << " " << f;
      EXPECT_LE(delay, 4) << seconds << " " << f;
      total += delay;
    }
    EXPECT_EQ(total, std::lround(seconds * 100)) << seconds;
  }
}

}  // namespace
}  // namespace puffel
