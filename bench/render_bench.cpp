// The 3D render pass (RenderScene3D, filling on FillThreads() threads), the
// same on one thread, and the same pass with the plain bounding-box fill, on
// scenes built through the add-picture button.
//
// Arguments of every benchmark: scene (0: 8 parts from 200 x 200 pictures in
// a 400 x 400 view; 1: 32 such parts, spread over a 1920 x 1080 view, scaled
// and turned; 2: one part at polygon size 1 from a 1000 x 1000 picture in a
// 1920 x 1080 view; 3: scene 1 with each part from the second row on hanging
// from the one above it) and pose (0: as built; 1: every part turned a
// further 30 degrees about the view's x axis and then its y axis).
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <numbers>

#include "app/main_window.h"
#include "app/part_window.h"
#include "render/plain_fill.h"
#include "render/plain_pass.h"
#include "render/render_scene.h"
#include "render/test_scenes.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr double Degree = std::numbers::pi / 180;

// The program holding one benchmark scene; the last one built is kept for the
// next benchmark on the same scene.
class BenchScene {
 public:
  static BenchScene& Get(int scene, int pose) {
    static std::unique_ptr<BenchScene> current;
    if (!current || current->scene_ != scene) {
      current.reset();
      current.reset(new BenchScene(scene));
    }
    current->pose(pose);
    return *current;
  }

  Scene& scene() { return program_.scene(); }
  TForm2& form2() { return program_.form2(); }

 private:
  explicit BenchScene(int scene) : scene_(scene) {
    Scene& s = program_.scene();
    TForm1& form1 = program_.form1();
    if (scene != 0) program_.Dispatch([&] { program_.form2().ReportClientSize(1920, 1080); });
    if (scene == 2) {
      form1.TrackBar1.SetPosition(1);
      program_.AddPicture(test::CheckerDiscPicture(1000, 480, 0x3080F0, 0xF04010));
    } else {
      const int parts = scene == 0 ? 8 : 32;
      for (int k = 0; k < parts; ++k) {
        program_.AddPicture(
            test::CheckerDiscPicture(200, 80 + k % 4 * 5, 0x3080F0 + k * 0x050301, 0xF04010));
      }
    }
    if (scene == 1 || scene == 3) {
      // Spread over the view in 8 columns and 4 rows, each part a root.
      for (int k = 0; k < s.PartCount; ++k) {
        s.PartPosX[k] = 120 + 240 * (k % 8);
        s.PartPosY[k] = 135 + 270 * (k / 8);
      }
      Relink(s);
      ResetPoses(s);
      for (int k = 0; k < s.PartCount; ++k) {
        test::ScaleFrame(s.PartFrame[k], 1.15);
        test::TurnFrame(s.PartFrame[k], 0.6, 0.8, 0, (10 + 7 * k % 60) * Degree);
      }
    }
    if (scene == 3) {
      for (int k = 8; k < s.PartCount; ++k) s.ParentMatrix[k + 1][k - 8 + 1] = 1;
    }
    form1.Button4.Click();
    built_ = s.PartFrame;
  }

  void pose(int pose) {
    Scene& s = program_.scene();
    s.PartFrame = built_;
    if (pose == 0) return;
    for (int k = 0; k < s.PartCount; ++k) {
      test::TurnFrame(s.PartFrame[k], 1, 0, 0, 30 * Degree);
      test::TurnFrame(s.PartFrame[k], 0, 1, 0, 30 * Degree);
    }
  }

  int scene_;
  test::ScriptedApp program_;
  std::array<Frame, MaxParts> built_;
};

void BM_RenderScene3D(benchmark::State& state) {
  BenchScene& bench = BenchScene::Get(state.range(0), state.range(1));
  for (auto _ : state) bench.form2().ShowScene3D();
}

// RenderScene3D while posing, as a drag does: before every redraw one part,
// part after part, turns a further degree about the view's y axis.
void BM_RenderScene3DPosing(benchmark::State& state) {
  BenchScene& bench = BenchScene::Get(state.range(0), state.range(1));
  Scene& scene = bench.scene();
  int part = 0;
  for (auto _ : state) {
    test::TurnFrame(scene.PartFrame[part], 0, 1, 0, Degree);
    part = (part + 1) % scene.PartCount;
    bench.form2().ShowScene3D();
  }
}

// RenderScene3D's work on one thread.
void BM_FastFillOneThread(benchmark::State& state) {
  BenchScene& bench = BenchScene::Get(state.range(0), state.range(1));
  for (auto _ : state) {
    DrawScene3D(bench.scene(), FillTriangle, 1);
    bench.form2().Present(bench.scene().ViewBitmap, 0, 0);
  }
}

// The same pass on one thread with the plain fill, which shades every side
// that faces the viewer up front and tests every pixel of its bounding box:
// the baseline of the fill.
void BM_PlainFillPass(benchmark::State& state) {
  BenchScene& bench = BenchScene::Get(state.range(0), state.range(1));
  for (auto _ : state) {
    DrawScene3D(bench.scene(), test::PlainFillTriangle, 1);
    bench.form2().Present(bench.scene().ViewBitmap, 0, 0);
  }
}

// The pass written plainly from its description (the tests' oracle): every
// cell read straight from the mesh tables, every side shaded, the plain fill.
void BM_PlainPass(benchmark::State& state) {
  BenchScene& bench = BenchScene::Get(state.range(0), state.range(1));
  for (auto _ : state) {
    test::PlainDrawScene3D(bench.scene());
    bench.form2().Present(bench.scene().ViewBitmap, 0, 0);
  }
}

// The pass of scene 3 with rigid (0) or soft (1) joints, at every reach, on
// FillThreads() threads (0) or on one (1), whose time is all the pass's work.
void BM_SoftJoints(benchmark::State& state) {
  BenchScene& bench = BenchScene::Get(3, 0);
  Scene& scene = bench.scene();
  scene.SoftJoints = state.range(0) != 0;
  scene.JointReach = static_cast<int>(state.range(1));
  const int threads = state.range(2) != 0 ? 1 : FillThreads();
  for (auto _ : state) {
    DrawScene3D(scene, FillTriangle, threads);
    bench.form2().Present(scene.ViewBitmap, 0, 0);
  }
  scene.SoftJoints = false;
}

template <int SceneNumber>
void sceneArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"scene", "turned"})->Unit(benchmark::kMillisecond);
  b->Args({SceneNumber, 0})->Args({SceneNumber, 1});
}

// Scene by scene, so that each scene is built once.
BENCHMARK(BM_RenderScene3D)->Apply(sceneArguments<0>);
BENCHMARK(BM_RenderScene3DPosing)->Apply(sceneArguments<0>);
BENCHMARK(BM_FastFillOneThread)->Apply(sceneArguments<0>);
BENCHMARK(BM_PlainFillPass)->Apply(sceneArguments<0>);
BENCHMARK(BM_PlainPass)->Apply(sceneArguments<0>);
BENCHMARK(BM_RenderScene3D)->Apply(sceneArguments<1>);
BENCHMARK(BM_RenderScene3DPosing)->Apply(sceneArguments<1>);
BENCHMARK(BM_FastFillOneThread)->Apply(sceneArguments<1>);
BENCHMARK(BM_PlainFillPass)->Apply(sceneArguments<1>);
BENCHMARK(BM_PlainPass)->Apply(sceneArguments<1>);
BENCHMARK(BM_RenderScene3D)->Apply(sceneArguments<2>);
BENCHMARK(BM_RenderScene3DPosing)->Apply(sceneArguments<2>);
BENCHMARK(BM_FastFillOneThread)->Apply(sceneArguments<2>);
BENCHMARK(BM_PlainFillPass)->Apply(sceneArguments<2>);
BENCHMARK(BM_PlainPass)->Apply(sceneArguments<2>);
BENCHMARK(BM_SoftJoints)
    ->ArgNames({"soft", "reach", "one_thread"})
    ->Unit(benchmark::kMillisecond)
    ->ArgsProduct({{0, 1}, {1, 2, 3}, {0, 1}});

}  // namespace
}  // namespace puffel
