// Exporting the posed figure as a glTF binary, as OBJ files, and for printers
// as STL and 3MF (the large scene alone), written to a temporary folder, on
// scenes built through the add-picture button.
//
// Argument of every benchmark: scene (0: 8 parts from 200 x 200 pictures at
// polygon size 8 in a 400 x 400 view; 1: 32 parts from 1024 x 1024 pictures
// at polygon size 1 in a 1920 x 1080 view: one part built, copied into the
// other slots with a picture of its own each). Both are posed in the 3D view.
// The counter "bytes" is the size of the files written.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>

#include "app/main_window.h"
#include "export/model_export.h"
#include "render/test_scenes.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr double Degree = std::numbers::pi / 180;

// A drawing: a disc painted in bands of a few inks on white paper, with a
// dark outline.
Bitmap drawnDisc(int side, double radius) {
  Bitmap picture(side, side);
  const uint32_t inks[] = {0xE04030, 0x30A0E0, 0xF0C020, 0x40C060, 0x8050C0};
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double dx = x + 0.5 - side / 2.0;
      const double dy = y + 0.5 - side / 2.0;
      const double r = std::sqrt(dx * dx + dy * dy);
      picture.Row(y)[x] = r > radius       ? 0xFFFFFF
                          : r > radius - 6 ? 0x202020
                                           : inks[(x / 37 + y / 53) % 5] + (x + y) % 7;
    }
  }
  return picture;
}

// Copies part 0 into slot k, at its own place, with a picture of its own.
void copyPart(Scene& s, int k) {
  s.PartPicture[k] = s.PartPicture[0];
  s.PartPicture[k].Row(0)[k] ^= 0x010101;
  s.PartBackPicture[k] = s.PartPicture[k];
  s.PartMask[k] = s.PartMask[0];
  s.PartCutout[k] = s.PartCutout[0];
  s.PartFileName[k] = s.PartFileName[0];
  s.GridColumns[k] = s.GridColumns[0];
  s.GridRows[k] = s.GridRows[0];
  Table3D<double>* const tables[] = {&s.GridState, &s.FrontX, &s.FrontY, &s.FrontZ, &s.BackX,
                                     &s.BackY,     &s.BackZ,  &s.TexU,   &s.TexV};
  for (Table3D<double>* table : tables) {
    for (int i = 0; i < s.MaxGridColumns; ++i) {
      std::copy_n((*table)[0][i], s.MaxGridRows, (*table)[k][i]);
    }
  }
  s.PartPosX[k] = s.PartPosX[0] + 40 * (k % 8);
  s.PartPosY[k] = s.PartPosY[0] + 30 * (k / 8);
  s.PartOffsetX[k] = s.PartOffsetX[0] + 40 * (k % 8);
  s.PartOffsetY[k] = s.PartOffsetY[0] + 30 * (k / 8);
}

class ExportScene {
 public:
  static ExportScene& Get(int scene) {
    static std::unique_ptr<ExportScene> current;
    if (!current || current->scene_ != scene) {
      current.reset();
      current.reset(new ExportScene(scene));
    }
    return *current;
  }

  const Scene& scene() { return program_.scene(); }
  std::string path(const char* name) { return program_.folder() / "pic_hozon/" + name; }

 private:
  explicit ExportScene(int scene) : scene_(scene) {
    Scene& s = program_.scene();
    TForm1& form1 = program_.form1();
    if (scene == 0) {
      for (int k = 0; k < 8; ++k) {
        program_.AddPicture(test::DiscPicture(200, 200, 100, 100, 80 + k % 4 * 5,
                                              0x3080F0 + k * 0x050301, 0xFFFFFF),
                            "part" + std::to_string(k) + ".bmp");
      }
    } else {
      program_.Dispatch([&] { program_.form2().ReportClientSize(1920, 1080); });
      form1.TrackBar1.SetPosition(1);
      program_.AddPicture(drawnDisc(1024, 480), "big.bmp");
      RedimMeshTables(s, 32);
      for (int k = 1; k < 32; ++k) copyPart(s, k);
      s.PartCount = 32;
      Relink(s);
      ResetPoses(s);
    }
    form1.Button4.Click();
    for (int k = 0; k < s.PartCount; ++k) {
      test::TurnFrame(s.PartFrame[k], 0.6, 0.8, 0, (10 + 7 * k % 60) * Degree);
    }
  }

  int scene_;
  test::ScriptedApp program_;
};

double fileBytes(const std::string& folder) {
  double bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    bytes += static_cast<double>(entry.file_size());
  }
  return bytes;
}

void BM_ExportGlb(benchmark::State& state) {
  ExportScene& bench = ExportScene::Get(state.range(0));
  for (auto _ : state) ExportFigure(bench.scene(), bench.path("figure.glb"));
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(bench.path("figure.glb")));
}

void BM_ExportObj(benchmark::State& state) {
  ExportScene& bench = ExportScene::Get(state.range(0));
  for (auto _ : state) ExportFigure(bench.scene(), bench.path("figure.obj"));
  std::filesystem::remove(bench.path("figure.glb"));
  state.counters["bytes"] = fileBytes(bench.path(""));
}

// The closed shells for a printer, 100 mm tall.
void BM_ExportStl(benchmark::State& state) {
  ExportScene& bench = ExportScene::Get(state.range(0));
  for (auto _ : state) ExportFigure(bench.scene(), bench.path("figure.stl"));
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(bench.path("figure.stl")));
}

void BM_ExportThreeMf(benchmark::State& state) {
  ExportScene& bench = ExportScene::Get(state.range(0));
  for (auto _ : state) ExportFigure(bench.scene(), bench.path("figure.3mf"));
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(bench.path("figure.3mf")));
}

BENCHMARK(BM_ExportGlb)->ArgName("scene")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportObj)->ArgName("scene")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGlb)->ArgName("scene")->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportObj)->ArgName("scene")->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportStl)->ArgName("scene")->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportThreeMf)->ArgName("scene")->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace puffel
