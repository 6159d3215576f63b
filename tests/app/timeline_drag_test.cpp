// Dragging on the timeline: a press picks the mark under it, and a dragged
// key keeps its place among the others however far the pointer goes.
#include "app/timeline_drag.h"

#include <gtest/gtest.h>

#include "app/timeline_picture.h"

namespace puffel {
namespace {

TEST(TimelineDrag, ADraggedKeyStaysBetweenItsNeighbours) {
  std::vector<KeyPose> keys(4);
  keys[1].time = 0.5;
  keys[2].time = 0.505;  // less than two columns between its neighbours: no room
  keys[3].time = 0.51;
  const TimelineRuler ruler{0, 200, 2};  // a column is 0.01 s
  EXPECT_EQ(KeyPressedAt(keys, ruler, MarkReach), 0);
  EXPECT_EQ(KeyPressedAt(keys, ruler, MarkReach + 1), -1);
  struct Case {
    int k;
    int x;
    double time;
  };
  for (const Case c : {Case{0, 100, 0}, Case{1, 30, 0.3}, Case{1, -50, 0.01}, Case{1, 199, 0.495},
                       Case{2, 0, 0.505}, Case{2, 150, 0.505}, Case{3, 120, 1.2}, Case{3, 500, 2},
                       Case{3, 10, 0.515}}) {
    EXPECT_DOUBLE_EQ(DraggedKeyTime(keys, ruler, c.k, c.x), c.time) << c.k << " " << c.x;
  }
  EXPECT_EQ(DraggedKeyTime(keys, TimelineRuler{5, 5, 2}, 3, 5), keys[3].time);
}

TEST(TimelineDrag, TheLoopsEndStaysAfterTheLastKeyAndGoesPastTheRuler) {
  std::vector<KeyPose> keys(2);
  keys[1].time = 1.8;
  const TimelineRuler ruler{0, 200, 2};
  EXPECT_TRUE(LoopEndPressedAt(keys, ruler, 200 - MarkReach));
  EXPECT_FALSE(LoopEndPressedAt(keys, ruler, 200 - MarkReach - 1));
  EXPECT_FALSE(LoopEndPressedAt({}, ruler, 200));
  keys[1].time = 1.97;  // its mark reaches the end: a press there takes the key
  EXPECT_FALSE(LoopEndPressedAt(keys, ruler, 200));
  EXPECT_EQ(DraggedLoopLength(keys, ruler, 200), 2);
  EXPECT_DOUBLE_EQ(DraggedLoopLength(keys, ruler, 350), 3.5);
  EXPECT_DOUBLE_EQ(DraggedLoopLength(keys, ruler, 10), 1.98);  // a column past the key
}

}  // namespace
}  // namespace puffel
