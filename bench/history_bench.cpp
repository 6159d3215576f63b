// Undo and redo on 32 parts in 3D, beside the one redraw each of them makes:
// their difference is what the history itself costs. The state a step keeps
// is the same for parts of any size, so the parts are small (24 x 24 pictures
// spread over a 400 x 400 view) and the redraw short enough to leave the
// difference visible. Also the recording of a gesture (the state
// kept at the press and compared at the release), and undo and redo across an
// add over a removed part, which brings back a kept build and its mesh.
#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "app/part_window.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

class HistoryScene {
 public:
  static HistoryScene& Get() {
    static HistoryScene scene;
    return scene;
  }

  test::ScriptedApp program;

 private:
  HistoryScene() {
    program.Dispatch([&] { program.form2().ReportClientSize(400, 400); });
    for (int k = 0; k < 32; ++k) {
      program.AddPicture(
          test::CheckerDiscPicture(24, 10 + k % 2, 0x3080F0 + k * 0x050301, 0xF04010));
    }
    // Spread over the view in 8 columns and 4 rows, each picture dragged there.
    TForm2& form2 = program.form2();
    const ShiftState left{true, false, false};
    for (int k = 31; k >= 0; --k) {
      const int x = 25 + 50 * (k % 8), y = 50 + 100 * (k / 8);
      program.Dispatch([&] { form2.OnMouseDown(MouseButton::Left, left, 206, 206); });
      program.Dispatch([&] { form2.OnMouseMove(left, x + 6, y + 6); });
      program.Dispatch([&] { form2.OnMouseUp(MouseButton::Left, ShiftState{}, x + 6, y + 6); });
    }
    program.Dispatch([&] { program.form1().Button4.Click(); });
    // A trackball turn of the first part: the step undone and redone.
    program.Dispatch([&] { form2.OnMouseDown(MouseButton::Left, left, 30, 55); });
    program.Dispatch([&] { form2.OnMouseMove(left, 36, 60); });
    program.Dispatch([&] { form2.OnMouseUp(MouseButton::Left, ShiftState{}, 36, 60); });
  }
};

void BM_Redraw3D(benchmark::State& state) {
  HistoryScene& scene = HistoryScene::Get();
  for (auto _ : state) scene.program.form2().FormPaint();
}
BENCHMARK(BM_Redraw3D)->Unit(benchmark::kMicrosecond);

// One undo and one redo: two redraws and the history's own work.
void BM_UndoRedo(benchmark::State& state) {
  HistoryScene& scene = HistoryScene::Get();
  SceneHistory& history = scene.program.app().history;
  for (auto _ : state) {
    history.Undo();
    history.Redo();
  }
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMicrosecond);

// The press and release of a gesture that changes nothing.
void BM_RecordGesture(benchmark::State& state) {
  SceneHistory& history = HistoryScene::Get().program.app().history;
  for (auto _ : state) {
    history.BeginGesture();
    history.EndGesture();
  }
}
BENCHMARK(BM_RecordGesture)->Unit(benchmark::kMicrosecond);

// Undo and redo of an add into the slot of a removed part: each brings back
// the other build's pictures and mesh (in the flat view).
void BM_UndoRedoAddOverRemovedPart(benchmark::State& state) {
  test::ScriptedApp program;
  program.Dispatch([&] { program.form2().ReportClientSize(400, 400); });
  program.AddPicture(test::CheckerDiscPicture(200, 90, 0x3080F0, 0xF04010), "a.bmp");
  program.Dispatch([&] { program.form1().SpeedButton2.Click(); });
  program.AddPicture(test::CheckerDiscPicture(200, 70, 0x30F080, 0x1040F0), "b.bmp");
  SceneHistory& history = program.app().history;
  for (auto _ : state) {
    history.Undo();
    history.Undo();
    history.Redo();
    history.Redo();
  }
}
BENCHMARK(BM_UndoRedoAddOverRemovedPart)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace puffel
