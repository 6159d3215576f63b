// The timeline's picture: each key's mark on its column, the selected one in
// its own colour over the rest, the time shown as a line across, nothing past
// the ruler but the background.
#include "app/timeline_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "platform/canvas.h"

namespace puffel {
namespace {

TEST(TimelinePicture, KeysAndTheTimeShownLieOnTheirColumns) {
  const TimelineColours colours;
  std::mt19937 random(3);
  for (int n = 0; n < 100; ++n) {
    std::vector<KeyPose> keys(1 + random() % 6);
    for (size_t k = 1; k < keys.size(); ++k)
      keys[k].time = keys[k - 1].time + 0.1 * (1 + random() % 9);
    const TimelineRuler ruler{20, 300, keys.back().time + 0.5};
    const int selected = static_cast<int>(random() % (keys.size() + 1)) - 1;
    const double now = ruler.seconds * (random() % 101) / 100;
    Bitmap picture(320, 40);
    picture.canvas.penColour = 0x123456;
    const CanvasState kept = picture.canvas;
    DrawTimeline(picture, ruler, keys, selected, now);
    EXPECT_EQ(picture.canvas.penColour, kept.penColour);
    EXPECT_EQ(picture.canvas.brushColour, kept.brushColour);

    const int middle = picture.Height() / 2;
    const int nowX = XOfTime(ruler, now);
    EXPECT_EQ(CanvasPixel(picture, nowX, 0), colours.now) << n;
    EXPECT_EQ(CanvasPixel(picture, nowX, picture.Height() - 1), colours.now) << n;
    EXPECT_EQ(CanvasPixel(picture, 0, 0), colours.background) << n;
    EXPECT_EQ(CanvasPixel(picture, ruler.right + MarkReach + 1, middle), colours.background) << n;
    for (size_t k = 0; k < keys.size(); ++k) {
      const int x = XOfTime(ruler, keys[k].time);
      if (x == nowX) continue;
      // Another mark may cover an unselected one's middle; none covers the selected.
      const bool alone = std::none_of(keys.begin(), keys.end(), [&](const KeyPose& other) {
        return &other != &keys[k] && std::abs(XOfTime(ruler, other.time) - x) <= 2 * MarkReach;
      });
      const uint32_t pixel = CanvasPixel(picture, x, middle - 2);
      if (static_cast<int>(k) == selected) {
        EXPECT_EQ(pixel, colours.selectedKey) << n << " " << k;
      } else if (alone) {
        EXPECT_EQ(pixel, colours.key) << n << " " << k;
      }
    }
  }
}

}  // namespace
}  // namespace puffel
