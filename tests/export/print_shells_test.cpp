// The figure for a printer: every part of every kind of picture, built with
// every kind of setting and posed, is a closed shell on the plate at the
// chosen height, coloured from its own pictures.
#include "export/print_shells.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "export/closed_shells.h"
#include "export/posed_figures.h"
#include "sample_art/cat_figure.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

// Pictures whose rims go wrong in different ways: a hole, strokes one to
// three pixels wide, a silhouette that runs off the picture's edges, and the
// sample cat's parts.
std::vector<Bitmap> awkwardPictures() {
  Bitmap ring = test::PatternDisc(90, 90, 40, 1);
  for (int y = 31; y < 60; ++y) {
    for (int x = 31; x < 60; ++x) {
      if ((x - 45) * (x - 45) + (y - 45) * (y - 45) < 15 * 15) ring.Row(y)[x] = 0xFFFFFF;
    }
  }
  Bitmap strokes = test::SolidPicture(80, 70, 0xFFFFFF);
  for (int n = 0; n < 60; ++n) {
    test::PaintBlock(strokes, 10, 5 + n, 11 + n % 3, 6 + n, 0x802020);            // 1 to 3 wide
    test::PaintBlock(strokes, 10 + n, 5, 11 + n, 6, 0x203040);                    // 1 high
    test::PaintBlock(strokes, 15 + n, 15 + n / 2, 17 + n, 16 + n / 2, 0x2020A0);  // slanted
  }
  Bitmap edge = test::PatternDisc(60, 50, 200, 2);
  test::PaintBlock(edge, 0, 0, 20, 12, 0xFFFFFF);
  std::vector<Bitmap> pictures = {ring, strokes, edge};
  for (int row = 0; row < static_cast<int>(art::CatFigure.size()); ++row) {
    pictures.push_back(art::DrawCatPart(row));
  }
  return pictures;
}

// Each round builds every picture with random settings and turns every part
// at random. The even rounds keep the sliders of bulge and stretch where they
// start: those shapes enclose their volume. Elsewhere the shell is still
// closed, but the surfaces may pass through each other as they do in the
// view (a hollow ear deeper than the back, say), so its volume is not checked.
TEST(PrintShells, EveryPartIsAClosedShellOnThePlateColouredFromItsPictures) {
  std::mt19937 random(29);
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution(low, high)(random);
  };
  const std::vector<Bitmap> pictures = awkwardPictures();
  for (int round = 0; round < 6; ++round) {
    const bool shaped = round % 2 == 1;
    test::ScriptedApp program;
    TForm1& form1 = program.form1();
    std::ostringstream settings;
    settings << "round " << round << ":";
    for (size_t n = 0; n < pictures.size(); ++n) {
      // Polygon size, ears, bulge front and back, stretch front and back.
      const int slider[] = {pick(round < 2 ? 1 : 2, 14), pick(0, 4) * 6,
                            shaped ? pick(-10, 20) : 10, shaped ? pick(-10, 20) : 10,
                            shaped ? pick(0, 24) : 10,   shaped ? pick(1, 24) : 10};
      Control* controls[] = {&form1.TrackBar1, &form1.TrackBar3, &form1.TrackBar2,
                             &form1.TrackBar6, &form1.TrackBar4, &form1.TrackBar5};
      for (int c = 0; c < 6; ++c) controls[c]->SetPosition(slider[c]);
      form1.CheckBox2.SetChecked(pick(0, 1) == 1);
      program.AddPicture(pictures[n], "p" + std::to_string(n) + ".bmp");
      settings << " [" << n << ":";
      for (const int position : slider) settings << " " << position;
      settings << (form1.CheckBox2.Checked() ? " square]" : "]");
    }
    Scene& scene = program.scene();
    program.Dispatch([&] { form1.Button4.Click(); });
    for (int k = 0; k < scene.PartCount; ++k) {
      test::TurnSubtree(scene, k, {0.48, 0.6, 0.64},
                        std::uniform_real_distribution(-3.0, 3.0)(random));
    }
    const int height = pick(MinPrintHeight, MaxPrintHeight);
    const FigureModel model = BuildFigureModel(scene);
    const std::vector<PrintShell> shells = PrintShells(scene, model, height);
    std::vector<test::Corners> figure;
    size_t s = 0;
    for (const FigurePart& part : model.parts) {
      // Strokes thinner than the polygons leave no triangle, and no shell.
      if (part.vertices.empty()) continue;
      ASSERT_LT(s, shells.size()) << settings.str();
      const std::vector<test::Corners> triangles = test::ShellTriangles(shells[s]);
      std::vector<double> volumes;
      EXPECT_EQ(test::ClosedShellsFault(triangles, &volumes), "") << part.name << settings.str();
      for (const double volume : volumes) {
        EXPECT_TRUE(shaped || volume > 0) << part.name << settings.str();
      }
      figure.insert(figure.end(), triangles.begin(), triangles.end());
      // Every colour a pixel of the part's pictures: the right picture, row
      // and channel order.
      std::set<uint32_t> inks;
      for (const Bitmap* picture :
           {&scene.PartPicture[part.slot], &scene.PartBackPicture[part.slot]}) {
        inks.insert(picture->Pixels(), picture->Pixels() + picture->Width() * picture->Height());
      }
      for (const PrintTriangle& t : shells[s++].triangles) ASSERT_TRUE(inks.count(t.colour));
    }
    EXPECT_EQ(s, shells.size());
    float bottom = 1;
    for (const test::Corners& t : figure) {
      for (const auto& corner : t) bottom = std::min(bottom, corner[2]);
    }
    EXPECT_EQ(bottom, 0);
    EXPECT_NEAR(test::Top(figure), height, height * 1e-6);
  }
}

}  // namespace
}  // namespace puffel
