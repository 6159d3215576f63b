// The timeline's ruler: times and columns map onto each other, held to the
// loop, and a click picks the nearest key's mark within reach.
#include "app/timeline_ruler.h"

#include <gtest/gtest.h>

#include <random>

namespace puffel {
namespace {

TEST(TimelineRuler, EveryColumnIsTheColumnOfItsTime) {
  std::mt19937 random(26);
  for (int n = 0; n < 200; ++n) {
    const int left = static_cast<int>(random() % 50);
    const TimelineRuler ruler{left, left + 1 + static_cast<int>(random() % 2000),
                              0.25 * (1 + random() % 400)};
    for (int x = ruler.left; x <= ruler.right; x += 1 + static_cast<int>(random() % 7)) {
      ASSERT_EQ(XOfTime(ruler, TimeAtX(ruler, x)), x) << n;
    }
    EXPECT_EQ(TimeAtX(ruler, ruler.left), 0);
    EXPECT_EQ(TimeAtX(ruler, ruler.right), ruler.seconds);
  }
}

TEST(TimelineRuler, OutsideTheLoopAndWithoutKeysEverythingStaysAtTheEnds) {
  const TimelineRuler ruler{10, 110, 2};
  EXPECT_EQ(TimeAtX(ruler, -5), 0);
  EXPECT_EQ(TimeAtX(ruler, 500), 2);
  EXPECT_EQ(XOfTime(ruler, -1), 10);
  EXPECT_EQ(XOfTime(ruler, 3), 110);
  EXPECT_EQ(XOfTime(ruler, 1), 60);
  const TimelineRuler empty{10, 110, 0};
  EXPECT_EQ(XOfTime(empty, 1), 10);
  EXPECT_EQ(TimeAtX(empty, 60), 0);
  EXPECT_EQ(TimeAtX(TimelineRuler{10, 10, 2}, 10), 0);
}

TEST(TimelineRuler, AClickPicksTheNearestMarkWithinReach) {
  std::vector<KeyPose> keys(3);
  keys[1].time = 0.5;
  keys[2].time = 0.54;  // 4 pixels after key 1
  const TimelineRuler ruler{0, 100, 1};
  struct Case {
    int x;
    int reach;
    int key;
  };
  for (const Case c : {Case{0, 3, 0}, Case{3, 3, 0}, Case{4, 3, -1}, Case{51, 3, 1},
                       Case{52, 3, 1},  // as near to both: the earlier
                       Case{53, 3, 2}, Case{58, 3, -1}, Case{58, 4, 2}}) {
    EXPECT_EQ(KeyNearX(keys, ruler, c.x, c.reach), c.key) << c.x << " " << c.reach;
  }
  EXPECT_EQ(KeyNearX({}, ruler, 0, 5), -1);
}

}  // namespace
}  // namespace puffel
