#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace puffel {
namespace {

bool overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(WindowPlacement, MainWindowSitsInTheFreeAreasCornerWithItsMargin) {
  const ScreenRect main = MainWindowPlace({0, 40, 1280, 984}, 216, 507);
  EXPECT_EQ(main.left, MainWindowMargin);
  EXPECT_EQ(main.top, 40 + MainWindowMargin);
  EXPECT_EQ(main.width, 216);
  EXPECT_EQ(main.height, 507);
}

TEST(WindowPlacement, PartWindowKeepsItsPlaceWhereThatIsClearAndOnTheScreen) {
  const ScreenRect area{0, 0, 1280, 1024};
  const ScreenRect main = MainWindowPlace(area, 216, 507);
  const ScreenRect part = PartWindowPlace(area, main, 416, 439);
  EXPECT_EQ(part.left, PartWindowLeft);
  EXPECT_EQ(part.top, PartWindowTop);
}

TEST(WindowPlacement, PartWindowMovesBesideTheMainWindowOnSmallScreens) {
  // 800 x 600: the usual place runs off the bottom.
  const ScreenRect small{0, 0, 800, 600};
  const ScreenRect main = MainWindowPlace(small, 216, 507);
  const ScreenRect part = PartWindowPlace(small, main, 416, 439);
  EXPECT_FALSE(overlap(part, main));
  EXPECT_EQ(part.left, main.left + main.width + MainWindowMargin);
  EXPECT_GE(part.top, 0);
  EXPECT_LE(part.top + part.height, 600);
  // A main window grown by a high DPI that reaches over the usual place.
  const ScreenRect large{0, 0, 1920, 1040};
  const ScreenRect wide = MainWindowPlace(large, 600, 1000);
  const ScreenRect beside = PartWindowPlace(large, wide, 816, 839);
  EXPECT_FALSE(overlap(beside, wide));
  EXPECT_LE(beside.left + beside.width, 1920);
  EXPECT_LE(beside.top + beside.height, 1040);
}

TEST(WindowPlacement, PartWindowStaysOnTheFreeAreaWhenNothingIsClear) {
  const ScreenRect tiny{0, 0, 640, 480};
  const ScreenRect main = MainWindowPlace(tiny, 216, 507);
  const ScreenRect part = PartWindowPlace(tiny, main, 416, 439);
  EXPECT_GE(part.left, 0);
  EXPECT_LE(part.left + part.width, 640);
  EXPECT_GE(part.top, 0);
}

// The timeline goes right under the part window where that fits, else
// right above it, else as low as the screen allows; never over the main
// window nor off the free area.
TEST(WindowPlacement, TimelineSitsUnderThePartWindowWhereItFits) {
  const ScreenRect main{24, 24, 216, 507};
  struct Case {
    ScreenRect area;
    ScreenRect part;
    int top;
  };
  for (const Case& c : {Case{{0, 0, 1920, 1040}, {594, 298, 416, 439}, 737},
                        Case{{0, 0, 1024, 768}, {264, 24, 416, 439}, 463},
                        Case{{0, 0, 1024, 768}, {264, 500, 416, 260}, 375},
                        Case{{0, 0, 800, 560}, {264, 24, 416, 439}, 435}}) {
    SCOPED_TRACE(c.top);
    const ScreenRect timeline = TimelineWindowPlace(c.area, main, c.part, 406, 125);
    EXPECT_EQ(timeline.left, c.part.left);
    EXPECT_EQ(timeline.top, c.top);
    EXPECT_FALSE(overlap(timeline, main));
    EXPECT_LE(timeline.top + timeline.height, c.area.top + c.area.height);
  }
}

}  // namespace
}  // namespace puffel
