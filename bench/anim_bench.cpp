// Playing an animation: the pose between two keys turned into every part's
// frame, as each played frame needs before it is drawn (argument: parts, 8
// or 32, each hanging from the one before, so that every joint is composed
// with its parent's); a whole played frame of the sample cat, and its
// animation exported as a GIF with a fourth key (the second again), 120
// frames at 400 x 400. The counter "bytes" is the GIF's size. The sprite sheet
// of the cat's own three keys in 8 directions at 400 x 400 (720 frames):
// rendered, and rendered and written with its atlas (counter "bytes": the
// sheet's PNG).
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "anim/key_edits.h"
#include "anim/key_poses.h"
#include "anim/playback_rate.h"
#include "export/animation_gif.h"
#include "export/posed_figures.h"
#include "export/sheet_files.h"
#include "export/sprite_sheet.h"
#include "platform/paths.h"
#include "project/project_load.h"
#include "support/scripted_app.h"
#include "support/temp_folder.h"
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
    keys.back().time = n;
  }
  double time = 0;
  for (auto _ : state) {
    PoseScene(scene, PoseAtTime(keys, 4, time));
    time = std::fmod(time + 1.0 / 30, 4.0);
    benchmark::DoNotOptimize(scene.PartFrame);
  }
}

// The sample project, as the build made it, loaded into a program.
class SampleCat {
 public:
  static SampleCat& Get() {
    static SampleCat cat;
    return cat;
  }
  Scene& scene() { return program_.scene(); }
  TForm2& form2() { return program_.form2(); }
  TForm3& form3() { return program_.app().form3; }

 private:
  SampleCat() {
    const std::string save = std::string(PUFFEL_PROGRAM_DIR) + "/save/";
    for (const auto& entry : std::filesystem::directory_iterator(save)) {
      WriteFileBytes(program_.folder() / ("save/" + Utf8FromPath(entry.path().filename())),
                     ReadFileBytes(Utf8FromPath(entry.path())));
    }
    LoadProjectFile(scene(), program_.folder() / "save/cat.dat", program_.folder() / "");
    AppendKey(scene(), scene().AnimationKeys[1]);
  }

  test::ScriptedApp program_;
};

// A played frame with rigid (0) or soft (1) joints.
void BM_PlayedFrame(benchmark::State& state) {
  SampleCat& cat = SampleCat::Get();
  cat.scene().SoftJoints = state.range(0) != 0;
  double time = 0;
  for (auto _ : state) {
    PoseScene(cat.scene(), PoseAtTime(cat.scene().AnimationKeys, cat.scene().LoopLength, time));
    cat.form2().ShowScene3D();
    time = std::fmod(time + 1.0 / PlaybackRate, 4.0);
  }
  cat.scene().SoftJoints = false;
}

// What the timeline adds to every played frame: its controls and ruler
// shown again at the frame's time.
void BM_TimelineRedraw(benchmark::State& state) {
  SampleCat& cat = SampleCat::Get();
  for (auto _ : state) cat.form3().ShowTimeline();
}

void BM_AnimationGif(benchmark::State& state) {
  SampleCat& cat = SampleCat::Get();
  std::string gif;
  for (auto _ : state) gif = AnimationGif(cat.scene());
  state.counters["bytes"] = static_cast<double>(gif.size());
}

// The sample cat with the keys of its project, as long as the benchmark runs.
class SavedKeys {
 public:
  explicit SavedKeys(Scene& scene) : scene_(scene), keys_(scene.AnimationKeys) {
    scene.AnimationKeys.pop_back();
  }
  ~SavedKeys() { scene_.AnimationKeys = keys_; }

 private:
  Scene& scene_;
  const std::vector<KeyPose> keys_;
};

void BM_SpriteSheetRender(benchmark::State& state) {
  Scene& scene = SampleCat::Get().scene();
  const SavedKeys saved(scene);
  for (auto _ : state) benchmark::DoNotOptimize(RenderSpriteSheet(scene, 8));
}

void BM_SpriteSheetExport(benchmark::State& state) {
  Scene& scene = SampleCat::Get().scene();
  const SavedKeys saved(scene);
  const test::TempFolder folder;
  for (auto _ : state) ExportSpriteSheet(scene, folder / "cat.png", {.directions = 8});
  state.counters["bytes"] = static_cast<double>(ReadFileBytes(folder / "cat.png").size());
}

BENCHMARK(BM_PlayedFrame)->ArgName("soft")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimelineRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnimationGif)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SpriteSheetRender)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SpriteSheetExport)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PlayedPose)->ArgName("parts")->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace puffel
