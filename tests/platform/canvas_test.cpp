#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace puffel {
namespace {

// Canvas colours (0x00BBGGRR) and the characters their row pixels print as.
constexpr uint32_t Red = 0x0000FF, Blue = 0xFF0000, White = 0xFFFFFF, Black = 0, Grey = 0x808080;

char symbolOf(uint32_t rowPixel) {
  switch (rowPixel) {
    case 0x000000:
      return '.';
    case 0xFFFFFF:
      return '#';
    case 0xFF0000:
      return 'R';
    case 0x0000FF:
      return 'B';
    case 0x808080:
      return '-';
    default:
      return '?';
  }
}

std::vector<std::string> asciiOf(const Bitmap& picture) {
  std::vector<std::string> rows;
  for (int y = 0; y < picture.Height(); ++y) {
    std::string row;
    for (int x = 0; x < picture.Width(); ++x) row += symbolOf(picture.Row(y)[x]);
    rows.push_back(row);
  }
  return rows;
}

Bitmap blackPicture(int width, int height, uint32_t pen, uint32_t brush) {
  Bitmap picture(width, height);
  picture.canvas.penColour = pen;
  picture.canvas.brushColour = brush;
  return picture;
}

TEST(CanvasRectangle, BorderInPenInsideInBrushAndCornersNormalised) {
  const std::vector<std::string> expected = {".....", ".RRR.", ".RBR.", ".RRR.", "....."};
  Bitmap picture = blackPicture(5, 5, Red, Blue);
  Rectangle(picture, 1, 1, 4, 4);
  EXPECT_EQ(asciiOf(picture), expected);

  Bitmap swapped = blackPicture(5, 5, Red, Blue);
  Rectangle(swapped, 4, 4, 1, 1);
  EXPECT_EQ(asciiOf(swapped), expected);

  Bitmap empty = blackPicture(5, 5, Red, Blue);
  Rectangle(empty, 2, 1, 2, 4);
  Rectangle(empty, 1, 3, 4, 3);
  EXPECT_EQ(empty, Bitmap(5, 5));
}

TEST(CanvasRectangle, OneBeyondEverySideFillsTheWholePictureWithTheBrush) {
  Bitmap picture = blackPicture(4, 3, White, Black);
  picture.Fill(0x123456);
  Rectangle(picture, -1, -1, 4 + 2, 3 + 2);
  EXPECT_EQ(picture, Bitmap(4, 3));
}

TEST(CanvasRectangle, JointMarkerIsAWhitePlusWithABlackBorder) {
  Bitmap picture(17, 17);
  picture.Fill(0x808080);
  const int x = 8, y = 8;
  picture.canvas.brushColour = White;
  picture.canvas.penColour = Black;
  Rectangle(picture, x - 7, y - 1, x + 8, y + 2);
  Rectangle(picture, x - 1, y - 7, x + 2, y + 8);
  picture.canvas.penColour = White;
  Line(picture, x - 6, y, x + 7, y);
  // clang-format off
  const std::vector<std::string> expected = {
      "-----------------",
      "-------...-------",
      "-------.#.-------",
      "-------.#.-------",
      "-------.#.-------",
      "-------.#.-------",
      "-------.#.-------",
      "-.......#.......-",
      "-.#############.-",
      "-.......#.......-",
      "-------.#.-------",
      "-------.#.-------",
      "-------.#.-------",
      "-------.#.-------",
      "-------.#.-------",
      "-------...-------",
      "-----------------",
  };
  // clang-format on
  EXPECT_EQ(asciiOf(picture), expected);
}

// The plain line: every step computed on its own, ties rounded away from the start.
void oracleLine(Bitmap& picture, int x1, int y1, int x2, int y2, uint32_t rowPixel) {
  const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  const int major = std::max(dx, dy);
  for (int k = 0; k < major; ++k) {
    auto along = [&](int from, int to, int delta) {
      const int offset = (2 * k * delta + major) / (2 * major);  // round half up
      return from + (to >= from ? offset : -offset);
    };
    const int x = along(x1, x2, dx), y = along(y1, y2, dy);
    if (x >= 0 && y >= 0 && x < picture.Width() && y < picture.Height())
      picture.Row(y)[x] = rowPixel;
  }
}

TEST(CanvasLine, EndPointExcludedAndTiesStepTowardsTheEnd) {
  Bitmap picture = blackPicture(6, 4, White, Black);
  Line(picture, 0, 0, 4, 2);
  Line(picture, 5, 3, 5, 0);
  Line(picture, 2, 3, 2, 3);
  EXPECT_EQ(asciiOf(picture), (std::vector<std::string>{"#.....", ".##..#", "...#.#", ".....#"}));
}

TEST(CanvasLine, ClippedLinesMatchThePlainLine) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-30, 50);
  for (int trial = 0; trial < 2000; ++trial) {
    const int x1 = coordinate(random), y1 = coordinate(random);
    const int x2 = coordinate(random), y2 = coordinate(random);
    Bitmap drawn = blackPicture(23, 17, White, Black);
    Bitmap expected(23, 17);
    Line(drawn, x1, y1, x2, y2);
    oracleLine(expected, x1, y1, x2, y2, 0xFFFFFF);
    ASSERT_EQ(drawn, expected) << x1 << "," << y1 << " to " << x2 << "," << y2;
  }
}

TEST(CanvasEllipse, TenByTenIsARoundMarkerTouchingItsBoxAtTheMiddles) {
  Bitmap picture = blackPicture(12, 12, Red, Blue);
  Ellipse(picture, 1, 1, 11, 11);
  // clang-format off
  const std::vector<std::string> expected = {
      "............",
      "....RRRR....",
      "..RRBBBBRR..",
      "..RBBBBBBR..",
      ".RBBBBBBBBR.",
      ".RBBBBBBBBR.",
      ".RBBBBBBBBR.",
      ".RBBBBBBBBR.",
      "..RBBBBBBR..",
      "..RRBBBBRR..",
      "....RRRR....",
      "............",
  };
  // clang-format on
  EXPECT_EQ(asciiOf(picture), expected);
}

TEST(CanvasEllipse, EverySizeIsMirrorSymmetricAndStaysInItsBox) {
  for (int width = 1; width <= 14; ++width) {
    for (int height = 1; height <= 14; ++height) {
      Bitmap picture = blackPicture(16, 16, Red, Blue);
      Ellipse(picture, 1, 1, 1 + width, 1 + height);
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          const uint32_t p = picture.Row(y)[x];
          const bool inBox = x >= 1 && x <= width && y >= 1 && y <= height;
          ASSERT_TRUE(inBox || p == 0) << width << "x" << height << " at " << x << "," << y;
          if (!inBox) continue;
          ASSERT_EQ(p, picture.Row(y)[width + 1 - x]) << width << "x" << height;
          ASSERT_EQ(p, picture.Row(height + 1 - y)[x]) << width << "x" << height;
        }
      }
    }
  }
}

// The plain even-odd fill: a pixel is inside when an odd number of edges cross
// its row's centre line at or left of its centre; then the border as Polygon draws it.
Bitmap oraclePolygon(int width, int height, const std::vector<IntPoint>& points) {
  Bitmap picture = blackPicture(width, height, White, Blue);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int crossings = 0;
      for (size_t i = 0; i < points.size(); ++i) {
        IntPoint p = points[i], q = points[(i + 1) % points.size()];
        if (p.y > q.y) std::swap(p, q);
        if (p.y == q.y || y < p.y || y >= q.y) continue;
        const int64_t dy = q.y - p.y, s = 2 * (y - p.y) + 1;
        if (2 * dy * p.x + s * (q.x - p.x) <= 2 * dy * x + dy) ++crossings;
      }
      if (crossings % 2 == 1) picture.Row(y)[x] = 0x0000FF;
    }
  }
  for (size_t i = 0; i < points.size(); ++i) {
    const IntPoint p = points[i], q = points[(i + 1) % points.size()];
    oracleLine(picture, p.x, p.y, q.x, q.y, 0xFFFFFF);
    SetCanvasPixel(picture, p.x, p.y, White);
  }
  return picture;
}

TEST(CanvasPolygon, TrianglesSharingAnEdgeFillItsCentresOnce) {
  // The diagonal passes exactly through the centres of (2,1) and (1,2), which
  // its border line misses: they belong to the triangle whose spans start there.
  const std::vector<IntPoint> upperLeft = {{0, 0}, {4, 0}, {0, 4}};
  const std::vector<IntPoint> lowerRight = {{4, 0}, {4, 4}, {0, 4}};
  Bitmap first = blackPicture(6, 6, White, Blue);
  Polygon(first, upperLeft);
  Bitmap second = blackPicture(6, 6, White, Blue);
  Polygon(second, lowerRight);
  // clang-format off
  const std::vector<std::string> expectedFirst = {
      "#####.",
      "#B.#..",
      "#.#...",
      "##....",
      "#.....",
      "......",
  };
  const std::vector<std::string> expectedSecond = {
      "...B#.",
      "..B##.",
      ".B#B#.",
      "B#BB#.",
      "#####.",
      "......",
  };
  // clang-format on
  EXPECT_EQ(asciiOf(first), expectedFirst);
  EXPECT_EQ(asciiOf(second), expectedSecond);
}

TEST(CanvasPolygon, RandomPolygonsMatchThePlainFill) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-8, 30);
  std::uniform_int_distribution<int> corners(1, 7);
  for (int trial = 0; trial < 1500; ++trial) {
    std::vector<IntPoint> points(corners(random));
    for (IntPoint& p : points) p = {coordinate(random), coordinate(random)};
    Bitmap drawn = blackPicture(24, 20, White, Blue);
    Polygon(drawn, points);
    ASSERT_EQ(drawn, oraclePolygon(24, 20, points)) << "trial " << trial;
  }
}

TEST(CanvasDraw, EveryModeCombinesAllBitsAndClipsAtEverySide) {
  auto numbered = [](int width, int height, uint32_t seed) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) picture.Row(y)[x] = seed * (1 + x + 7 * y) ^ 0xA5000000u;
    }
    return picture;
  };
  for (CopyMode mode : {CopyMode::Copy, CopyMode::And, CopyMode::Xor}) {
    for (const Bitmap& source : {numbered(3, 2, 0x01234567u), numbered(8, 7, 0x89ABCDEFu)}) {
      for (int at = -9; at <= 6; ++at) {
        const int atX = at, atY = -at / 2;
        Bitmap target = numbered(5, 4, 0x3C3C3C3Cu);
        const Bitmap before = target;
        target.canvas.copyMode = mode;
        Draw(target, atX, atY, source);
        for (int y = 0; y < 4; ++y) {
          for (int x = 0; x < 5; ++x) {
            const int sx = x - atX, sy = y - atY;
            uint32_t want = before.Row(y)[x];
            if (sx >= 0 && sy >= 0 && sx < source.Width() && sy < source.Height()) {
              const uint32_t s = source.Row(sy)[sx];
              want = mode == CopyMode::Copy ? s : mode == CopyMode::And ? want & s : want ^ s;
            }
            ASSERT_EQ(target.Row(y)[x], want) << "at " << atX << "," << atY;
          }
        }
      }
    }
  }
}

TEST(CanvasExtremes, HugeCoordinatesClipWithoutOverflow) {
  Bitmap picture = blackPicture(8, 6, White, Blue);
  Rectangle(picture, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(CanvasPixel(picture, 0, 0), Blue);
  EXPECT_EQ(CanvasPixel(picture, 7, 5), Blue);

  picture.Fill(0);
  Ellipse(picture, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(CanvasPixel(picture, 0, 0), Blue);
  EXPECT_EQ(CanvasPixel(picture, 7, 5), Blue);

  picture.Fill(0);
  Line(picture, INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // the exact diagonal x = y
  for (int i = 0; i < 6; ++i) EXPECT_EQ(CanvasPixel(picture, i, i), White);
  Line(picture, INT_MAX, INT_MIN, INT_MIN, 3);
  Line(picture, 3, INT_MIN, 3, INT_MAX);

  picture.Fill(0);
  const std::vector<IntPoint> huge = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
  Polygon(picture, huge);
  EXPECT_EQ(CanvasPixel(picture, 4, 3), Blue);
  const std::vector<IntPoint> outside = {{INT_MAX, INT_MAX}, {INT_MAX - 5, INT_MAX}, {INT_MAX, 9}};
  Polygon(picture, outside);

  const Bitmap before = picture;
  for (int at : {INT_MIN, INT_MAX, INT_MIN + 3, INT_MAX - 3}) {
    Draw(picture, at, 0, Bitmap(9, 9));
    Draw(picture, 0, at, Bitmap(9, 9));
    SetCanvasPixel(picture, at, 2, Red);
    EXPECT_EQ(CanvasPixel(picture, at, 2), 0u);  // outside reads as 0
  }
  EXPECT_EQ(picture, before);
}

}  // namespace
}  // namespace puffel
