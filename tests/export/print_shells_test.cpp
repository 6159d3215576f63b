// The figure for a printer: every part of every kind of picture, built with
// every kind of setting and posed, is a closed shell on the plate at the
// chosen height, coloured from its pictures; a pose no skeleton shows is
// refused.
#include "export/print_shells.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "export/closed_shells.h"
#include "export/export_refusal.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "sample_art/cat_figure.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

std::vector<test::Corners> cornersOf(const PrintShell& shell) {
  std::vector<test::Corners> corners;
  for (const PrintTriangle& t : shell.triangles) {
    corners.push_back(
        {shell.vertices[t.corners[0]], shell.vertices[t.corners[1]], shell.vertices[t.corners[2]]});
  }
  return corners;
}

// Pictures whose rims go wrong in different ways: a hole, strokes one to
// three pixels wide, a silhouette that runs off the picture's edges, and the
// sample cat's parts.
std::vector<Bitmap> awkwardPictures() {
  std::vector<Bitmap> pictures;
  Bitmap ring = test::PatternDisc(90, 90, 40, 1);
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 90; ++x) {
      if ((x - 45) * (x - 45) + (y - 45) * (y - 45) < 15 * 15) ring.Row(y)[x] = 0xFFFFFF;
    }
  }
  pictures.push_back(ring);
  Bitmap strokes = test::SolidPicture(80, 70, 0xFFFFFF);
  test::PaintBlock(strokes, 5, 5, 75, 6, 0x203040);
  test::PaintBlock(strokes, 10, 5, 12, 65, 0x802020);
  test::PaintBlock(strokes, 40, 5, 43, 65, 0x208020);
  for (int n = 0; n < 50; ++n)
    test::PaintBlock(strokes, 15 + n, 15 + n / 2, 17 + n, 16 + n / 2, 0x2020A0);
  pictures.push_back(strokes);
  Bitmap edge = test::PatternDisc(60, 50, 200, 2);
  test::PaintBlock(edge, 0, 0, 20, 12, 0xFFFFFF);
  pictures.push_back(edge);
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
TEST(PrintShells, EveryPartIsAClosedShellOnThePlateAtItsHeight) {
  std::mt19937 random(29);
  const std::vector<Bitmap> pictures = awkwardPictures();
  for (int round = 0; round < 6; ++round) {
    const bool shaped = round % 2 == 1;
    test::ScriptedApp program;
    TForm1& form1 = program.form1();
    std::ostringstream settings;
    settings << "round " << round << ":";
    for (size_t n = 0; n < pictures.size(); ++n) {
      const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
      };
      const std::array<int, 7> slider = {pick(round < 2 ? 1 : 2, 14),
                                         pick(0, 4) * 6,
                                         shaped ? pick(-10, 20) : 10,
                                         shaped ? pick(-10, 20) : 10,
                                         shaped ? pick(0, 24) : 10,
                                         shaped ? pick(1, 24) : 10,
                                         pick(0, 1)};
      form1.TrackBar1.SetPosition(slider[0]);
      form1.TrackBar3.SetPosition(slider[1]);
      form1.TrackBar2.SetPosition(slider[2]);
      form1.TrackBar6.SetPosition(slider[3]);
      form1.TrackBar4.SetPosition(slider[4]);
      form1.TrackBar5.SetPosition(slider[5]);
      form1.CheckBox2.SetChecked(slider[6] == 1);
      program.AddPicture(pictures[n], "p" + std::to_string(n) + ".bmp");
      settings << " [";
      for (const int position : slider) settings << " " << position;
      settings << " ]";
    }
    Scene& scene = program.scene();
    program.Dispatch([&] { form1.Button4.Click(); });
    for (int k = 0; k < scene.PartCount; ++k) {
      const double angle = std::uniform_real_distribution(-3.0, 3.0)(random);
      test::TurnSubtree(scene, k, {0.48, 0.6, 0.64}, angle);
    }
    const double height = std::uniform_int_distribution(MinPrintHeight, MaxPrintHeight)(random);
    const FigureModel model = BuildFigureModel(scene);
    const std::vector<PrintShell> shells = PrintShells(scene, model, height);
    // Strokes thinner than the polygons leave no triangle, and no shell.
    const auto shown = std::count_if(model.parts.begin(), model.parts.end(),
                                     [](const FigurePart& part) { return !part.vertices.empty(); });
    ASSERT_EQ(shells.size(), static_cast<size_t>(shown)) << settings.str();
    float low = 1e30f;
    float high = -1e30f;
    for (size_t n = 0; n < shells.size(); ++n) {
      std::vector<double> volumes;
      EXPECT_EQ(test::ClosedShellsFault(cornersOf(shells[n]), &volumes), "")
          << shells[n].name << ", " << settings.str();
      for (const double volume : volumes) {
        EXPECT_TRUE(shaped || volume > 0) << shells[n].name << ", " << settings.str();
      }
      for (const auto& v : shells[n].vertices) {
        low = std::min(low, v[2]);
        high = std::max(high, v[2]);
      }
    }
    EXPECT_EQ(low, 0);
    EXPECT_NEAR(high, height, height * 1e-6);
  }
}

// Each triangle's colour is a pixel of its part's pictures: read from the
// right picture, row and channel order.
TEST(PrintShells, ColoursComeFromThePartsPictures) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  const Scene& scene = program->scene();
  const std::vector<PrintShell> shells = PrintShells(scene, BuildFigureModel(scene), 100);
  ASSERT_EQ(shells.size(), static_cast<size_t>(scene.PartCount));
  for (int k = 0; k < scene.PartCount; ++k) {
    std::set<uint32_t> inks;
    for (const Bitmap* picture : {&scene.PartPicture[k], &scene.PartBackPicture[k]}) {
      for (int y = 0; y < picture->Height(); ++y) {
        inks.insert(picture->Row(y), picture->Row(y) + picture->Width());
      }
    }
    std::set<uint32_t> used;
    for (const PrintTriangle& t : shells[k].triangles) used.insert(t.colour);
    for (const uint32_t colour : used) EXPECT_TRUE(inks.count(colour)) << k << ": " << colour;
    EXPECT_GT(used.size(), 10u);  // the pattern, not one colour
  }
}

TEST(PrintShells, BrokenPoseIsRefusedAndWritesNothing) {
  auto program = test::FigureProgram();
  program->Dispatch([&] { program->form1().Button4.Click(); });
  program->scene().PartFrame[2].TipY.x += 0.5;
  for (const char* name : {"figure.stl", "figure.3mf"}) {
    EXPECT_THROW(ExportFigure(program->scene(), program->folder() / "pic_hozon/" + name),
                 ExportRefusal);
  }
  EXPECT_TRUE(std::filesystem::is_empty(program->folder() / "pic_hozon"));
}

}  // namespace
}  // namespace puffel
