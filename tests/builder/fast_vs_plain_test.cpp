// The outline index and the fast stages against the plain scans, on many small
// random pictures: every mesh cell, measure, reach and bled pixel must agree
// to the bit.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "builder/outline_buckets.h"
#include "builder/outline_column.h"
#include "builder/outline_index.h"
#include "builder/part_mesh.h"
#include "builder/part_scene.h"
#include "builder/plain_scan.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::PlainNearestOutline;
using test::SameBits;

constexpr uint32_t Paper = 0xFFFFFF;

uint32_t randomColour(std::mt19937& random) {
  return std::uniform_int_distribution<uint32_t>(0, 0xFFFFFE)(random);
}

void paintDisc(Bitmap& picture, double cx, double cy, double radius, uint32_t colour) {
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const double dx = x + 0.5 - cx;
      const double dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= radius * radius) picture.Row(y)[x] = colour;
    }
  }
}

void paintLine(Bitmap& picture, double x0, double y0, double x1, double y1, uint32_t colour) {
  const int steps = static_cast<int>(std::max(std::abs(x1 - x0), std::abs(y1 - y0))) + 1;
  for (int s = 0; s <= steps; ++s) {
    const int x = static_cast<int>(x0 + (x1 - x0) * s / steps);
    const int y = static_cast<int>(y0 + (y1 - y0) * s / steps);
    if (x >= 0 && y >= 0 && x < picture.Width() && y < picture.Height()) {
      picture.Row(y)[x] = colour;
    }
  }
}

// Pictures of the kinds that stress the searches: blobs, rings, thin lines,
// shapes running off the border and speckle.
Bitmap randomPicture(std::mt19937& random, int kind) {
  std::uniform_int_distribution<int> side(12, 110);
  const int width = side(random);
  const int height = side(random);
  Bitmap picture = test::SolidPicture(width, height, Paper);
  std::uniform_real_distribution<double> unit(0, 1);
  const auto colour = [&] { return randomColour(random); };
  switch (kind) {
    case 0:  // blobs inside the picture
      for (int b = 0; b < 4; ++b) {
        paintDisc(picture, width * (0.25 + 0.5 * unit(random)),
                  height * (0.25 + 0.5 * unit(random)),
                  std::min(width, height) * (0.05 + 0.25 * unit(random)), colour());
      }
      break;
    case 1: {  // a ring
      const double outer = std::min(width, height) * (0.3 + 0.15 * unit(random));
      paintDisc(picture, width / 2.0, height / 2.0, outer, colour());
      paintDisc(picture, width / 2.0, height / 2.0, outer * (0.3 + 0.5 * unit(random)), Paper);
      break;
    }
    case 2:  // thin lines
      for (int l = 0; l < 5; ++l) {
        paintLine(picture, width * unit(random), height * unit(random), width * unit(random),
                  height * unit(random), colour());
      }
      break;
    case 3:  // blobs running off the border
      for (int b = 0; b < 3; ++b) {
        paintDisc(picture, width * (1.4 * unit(random) - 0.2), height * (1.4 * unit(random) - 0.2),
                  std::min(width, height) * (0.2 + 0.4 * unit(random)), colour());
      }
      break;
    case 4:  // speckle: a long, ragged outline
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          if (unit(random) < 0.45) picture.Row(y)[x] = colour();
        }
      }
      break;
    case 5:  // axis-aligned blocks: many outline pixels at equal distances
      for (int b = 0; b < 3; ++b) {
        const int x0 = std::uniform_int_distribution<int>(0, width - 2)(random);
        const int y0 = std::uniform_int_distribution<int>(0, height - 2)(random);
        const int x1 = std::uniform_int_distribution<int>(x0 + 1, width)(random);
        const int y1 = std::uniform_int_distribution<int>(y0 + 1, height)(random);
        test::PaintBlock(picture, x0, y0, x1, y1, 0x3366CC);
      }
      break;
  }
  picture.Row(0)[0] = Paper;
  return picture;
}

MeshSettings randomSettings(std::mt19937& random) {
  static constexpr int PolygonSizes[] = {1, 1, 2, 3, 4, 5, 8, 11};
  std::uniform_int_distribution<int> bulge(-10, 20);
  return {.polygonSize = PolygonSizes[std::uniform_int_distribution<int>(0, 7)(random)],
          .triangularGrid = random() % 2 == 0,
          .colourProjection = random() % 3 == 0,
          .frontBulge = BulgeExponent(bulge(random)),
          .backBulge = BulgeExponent(bulge(random))};
}

ShapeSettings randomShape(std::mt19937& random) {
  return {.earPosition = std::uniform_int_distribution<int>(0, 32)(random),
          .frontStretch = std::uniform_int_distribution<int>(0, 24)(random),
          .backStretch = std::uniform_int_distribution<int>(0, 24)(random)};
}

template <class T>
int countDifferentCells(const Table2D<T>& a, const Table2D<T>& b, int n1, int n2) {
  int different = 0;
  for (int i = 0; i < n1; ++i) {
    for (int j = 0; j < n2; ++j) {
      if constexpr (std::is_floating_point_v<T>) {
        different += !SameBits(a[i][j], b[i][j]);
      } else {
        different += a[i][j] != b[i][j];
      }
    }
  }
  return different;
}

// The outline distance and thickness of every inside point, derived from the
// nearest outline pixel and the reach at the point's grid position, against
// the plain search's own tables.
int countDifferentDepths(const Scene& analysed, const PartAnalysis& analysis,
                         const test::PlainAnalysis& oracle) {
  int different = 0;
  for (int i = 1; i < analysed.GridColumns[0]; ++i) {
    for (int j = 1; j < analysed.GridRows[0]; ++j) {
      if (analysed.GridState[0][i][j] != 2) continue;
      const PointDepth depth =
          MeasurePoint(analysis.outline, analysis.measures, analysis.measures.NearestOutline[i][j],
                       analysed.FrontX[0][i][j], analysed.FrontY[0][i][j]);
      different += !SameBits(depth.d, oracle.OutlineDistance[i][j]);
      different += !SameBits(depth.t, oracle.LocalThickness[i][j]);
    }
  }
  return different;
}

int countDifferentMeshCells(const Scene& a, const Scene& b, int k) {
  const Table3D<double> Scene::*const tables[] = {&Scene::GridState, &Scene::FrontX, &Scene::FrontY,
                                                  &Scene::FrontZ,    &Scene::BackX,  &Scene::BackY,
                                                  &Scene::BackZ,     &Scene::TexU,   &Scene::TexV};
  int different = 0;
  for (const auto table : tables) {
    for (int i = 0; i < a.MaxGridColumns; ++i) {
      for (int j = 0; j < a.MaxGridRows; ++j) {
        different += !SameBits((a.*table)[k][i][j], (b.*table)[k][i][j]);
      }
    }
  }
  return different;
}

TEST(FastVersusPlain, WholeMeshAgreesToTheBitOnRandomPictures) {
  std::mt19937 random(20240611);
  int insidePoints = 0;
  for (int round = 0; round < 480; ++round) {
    const int kind = round % 6;
    const Bitmap picture = randomPicture(random, kind);
    const MeshSettings settings = randomSettings(random);
    const ShapeSettings shape = randomShape(random);
    SCOPED_TRACE("round " + std::to_string(round) + ", kind " + std::to_string(kind) +
                 ", polygon size " + std::to_string(settings.polygonSize) +
                 (settings.triangularGrid ? " triangular" : " square"));

    Scene fast;
    test::PutPicture(fast, 0, picture);
    Scene plain;
    test::PutPicture(plain, 0, picture);
    const BuildProgress silent;
    ProgressBarPosition progressBar{silent};

    const std::unique_ptr<PartAnalysis> analysis = AnalysePart(fast, 0, settings, progressBar);
    const Scene analysed = fast;
    InflatePart(fast, 0, *analysis, settings, shape);
    FinishPartMesh(fast, 0, *analysis);
    const test::PlainAnalysis oracle = test::PlainBuildPartMesh(plain, 0, settings, shape);

    const int n1 = fast.GridColumns[0] + 1;
    const int n2 = fast.GridRows[0] + 1;
    ASSERT_EQ(analysis->outline.OutlineX, oracle.outline.OutlineX);
    ASSERT_EQ(analysis->outline.OutlineY, oracle.outline.OutlineY);
    EXPECT_EQ(countDifferentCells(analysis->measures.NearestOutline, oracle.measures.NearestOutline,
                                  n1, n2),
              0);
    EXPECT_EQ(countDifferentDepths(analysed, *analysis, oracle), 0);
    ASSERT_EQ(analysis->measures.OutlineReach.size(), oracle.measures.OutlineReach.size());
    for (size_t n = 0; n < analysis->measures.OutlineReach.size(); ++n) {
      ASSERT_TRUE(SameBits(analysis->measures.OutlineReach[n], oracle.measures.OutlineReach[n]))
          << "outline pixel " << n;
    }
    EXPECT_EQ(countDifferentMeshCells(fast, plain, 0), 0);
    EXPECT_TRUE(fast.PartPicture[0] == plain.PartPicture[0]);
    EXPECT_TRUE(fast.PartBackPicture[0] == plain.PartBackPicture[0]);
    for (int i = 1; i < n1 - 1; ++i) {
      for (int j = 1; j < n2 - 1; ++j) insidePoints += fast.GridState[0][i][j] == 2;
    }
  }
  EXPECT_GT(insidePoints, 20000);  // the pictures really exercise the searches
}

// Speckled pictures of every small size: the rows are marked eight pixels at a
// time, so the widths around multiples of eight matter.
TEST(FastVersusPlain, OutlineOfSmallPicturesIsThePlainOne) {
  std::mt19937 random(29);
  for (int width = 1; width <= 26; ++width) {
    for (int height = 1; height <= 5; ++height) {
      Bitmap picture = test::SolidPicture(width, height, Paper);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          if (random() % 3 != 0) picture.Row(y)[x] = 0x102030;
        }
      }
      const OutlineList fast = FindOutline(picture, SwapRedBlue(Paper));
      const OutlineList plain = test::PlainFindOutline(picture, SwapRedBlue(Paper));
      ASSERT_EQ(fast.OutlineX, plain.OutlineX) << width << " x " << height;
      ASSERT_EQ(fast.OutlineY, plain.OutlineY) << width << " x " << height;
    }
  }
}

// Random outline lists, queries at random real points, at whole and half pixels
// (where ties abound) and far outside, each with a random hint.
TEST(FastVersusPlain, NearestSearchBreaksTiesByListOrder) {
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    const Bitmap picture = randomPicture(random, round % 6);
    const OutlineList outline = FindOutline(picture, SwapRedBlue(Paper));
    const OutlineIndex index(outline);
    std::uniform_real_distribution<double> across(-20, picture.Width() + 20);
    std::uniform_real_distribution<double> down(-20, picture.Height() + 20);
    std::uniform_int_distribution<int> slot(-1, std::max(outline.Count() - 1, -1));
    for (int query = 0; query < 400; ++query) {
      double x = across(random);
      double y = down(random);
      if (query % 3 == 1) {
        x = std::round(x);
        y = std::round(y);
      } else if (query % 3 == 2) {
        x = std::round(x) + 0.5;
        y = std::round(y) + 0.5;
      }
      const OutlineMatch match = index.FindNearest(x, y, slot(random));
      ASSERT_EQ(match.n, PlainNearestOutline(outline, x, y)) << "at " << x << ", " << y;
    }
  }
}

// Claims taken deepest first leave every pixel with the largest value that a
// plain raise over all points gives it. Whole-pixel points and whole limits
// put many pixels exactly on the strict bound.
TEST(FastVersusPlain, ClaimsGiveThePlainMaximumReach) {
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    const Bitmap picture = randomPicture(random, round % 6);
    const OutlineList outline = FindOutline(picture, SwapRedBlue(Paper));
    OutlineIndex index(outline);
    const bool whole = round % 2 == 0;
    const double factor = whole ? 1.0 : 1.21;
    struct Point {
      double x, y, value;
    };
    std::vector<Point> points;
    std::uniform_real_distribution<double> unit(0, 1);
    for (int p = 0; p < 200; ++p) {
      Point point{unit(random) * picture.Width(), unit(random) * picture.Height(),
                  std::round(unit(random) * 8) * 25};
      if (whole) {
        point.x = std::round(point.x);
        point.y = std::round(point.y);
      }
      points.push_back(point);
    }
    std::vector<double> plain(outline.Count(), 0);
    for (const Point& point : points) {
      for (int n = 0; n < outline.Count(); ++n) {
        const double q = (point.x - outline.OutlineX[n]) * (point.x - outline.OutlineX[n]) +
                         (point.y - outline.OutlineY[n]) * (point.y - outline.OutlineY[n]);
        if (q < point.value * factor && plain[n] < point.value) plain[n] = point.value;
      }
    }
    std::sort(points.begin(), points.end(),
              [](const Point& a, const Point& b) { return a.value > b.value; });
    // Half of the claims start from the pixel nearest to the point.
    std::vector<double> fast(outline.Count(), 0);
    for (const Point& point : points) {
      const int near = random() % 2 == 0 ? PlainNearestOutline(outline, point.x, point.y) : -1;
      index.ClaimWithin(point.x, point.y, point.value * factor, point.value, fast, near);
    }
    EXPECT_EQ(fast, plain);
    // The claims reorder the leaves; the nearest search must not mind.
    for (int query = 0; query < 100; ++query) {
      const double x = std::round(unit(random) * picture.Width());
      const double y = std::round(unit(random) * picture.Height());
      ASSERT_EQ(index.FindNearest(x, y).n, PlainNearestOutline(outline, x, y));
    }
  }
}

// The line search on whole, half and odd lines, top to bottom: every answer it
// gives is the plain one. It declines where rows lie at equal distances (at
// whole and half points, rows ending in the same column are such ties), and
// almost never at real points.
TEST(FastVersusPlain, LineSearchAnswersExactlyOrDeclines) {
  std::mt19937 random(3);
  int answered = 0;
  int answeredAtRealPoints = 0;
  int declinedAtRealPoints = 0;
  for (int round = 0; round < 60; ++round) {
    const Bitmap picture = randomPicture(random, round % 6);
    const OutlineList outline = FindOutline(picture, SwapRedBlue(Paper));
    OutlineColumnSearch search(outline);
    std::uniform_real_distribution<double> step(0.3, 3.0);
    const bool realPoints = round % 6 == 5;
    for (double x = -3.25; x < picture.Width() + 3; x += step(random)) {
      const double line = round % 3 == 0 ? std::round(x) : round % 3 == 1 ? std::round(x) + 0.5 : x;
      search.SetLine(line);
      const double dy = realPoints ? step(random) : 0.5;
      for (double y = -2.0; y < picture.Height() + 3; y += dy) {
        const std::optional<OutlineMatch> match = search.FindNearest(y);
        if (realPoints) ++(match ? answeredAtRealPoints : declinedAtRealPoints);
        if (!match) continue;
        ++answered;
        ASSERT_EQ(match->n, PlainNearestOutline(outline, line, y)) << "at " << line << ", " << y;
      }
    }
  }
  EXPECT_GT(answered, 100000);
  EXPECT_GT(answeredAtRealPoints, 1000 * declinedAtRealPoints);
}

// Searches near a known outline pixel, at whole and real points, through the
// buckets.
TEST(FastVersusPlain, BucketSearchAnswersExactlyOrDeclines) {
  std::mt19937 random(5);
  int answered = 0;
  for (int round = 0; round < 60; ++round) {
    const Bitmap picture = randomPicture(random, round % 6);
    const OutlineList outline = FindOutline(picture, SwapRedBlue(Paper));
    if (outline.Count() == 0) continue;
    const OutlineBuckets buckets(outline);
    std::uniform_int_distribution<int> pixel(0, outline.Count() - 1);
    std::uniform_real_distribution<double> offset(-9, 9);
    for (int query = 0; query < 300; ++query) {
      const int near = pixel(random);
      double x = outline.OutlineX[near] + offset(random);
      double y = outline.OutlineY[near] + offset(random);
      if (query % 2 == 0) {
        x = std::round(x);
        y = std::round(y);
      }
      const std::optional<OutlineMatch> match = buckets.FindNearest(x, y, near);
      if (!match) continue;
      ++answered;
      ASSERT_EQ(match->n, PlainNearestOutline(outline, x, y)) << "at " << x << ", " << y;
    }
  }
  EXPECT_GT(answered, 10000);
}

}  // namespace
}  // namespace puffel
