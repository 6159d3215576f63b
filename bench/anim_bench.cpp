// Playing an animation: the pose between two keys turned into every part's
// frame, as each played frame needs before it is drawn.
//
// Argument: parts (8 or 32), each hanging from the one before, so that every
// joint is composed with its parent's.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "anim/key_poses.h"
#include "export/posed_figures.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

void BM_PlayedPose(benchmark::State& state) {
  const int parts = static_cast<int>(state.range(0));
  test::ScriptedApp program;
  Scene& scene = program.scene();
  for (int k = 0; k < parts; ++k) {
    program.AddPicture(test::DiscPicture(40, 40, 20, 20, 18, 0x3080F0, 0xFFFFFF));
  }
  for (int k = 1; k < parts; ++k) {
    test::PlacePivot(scene, k, scene.PartPosX[k - 1] + 5, scene.PartPosY[k - 1] + 3);
  }
  Relink(scene);
  program.Dispatch([&] { program.form1().Button4.Click(); });
  std::vector<KeyPose> keys;
  for (int n = 0; n < 4; ++n) {
    for (int k = 0; k < parts; k += 3) test::TurnSubtree(scene, k, {0.6, 0.8, 0}, 0.3 + 0.1 * n);
    keys.push_back(*KeyOfScene(scene));
  }
  double time = 0;
  for (auto _ : state) {
    PoseScene(scene, PoseAtTime(keys, 1, time));
    time = std::fmod(time + 1.0 / 30, 4.0);
    benchmark::DoNotOptimize(scene.PartFrame);
  }
}

BENCHMARK(BM_PlayedPose)->ArgName("parts")->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace puffel
