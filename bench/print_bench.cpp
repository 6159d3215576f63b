// Exporting the sample cat, as the build's sample project poses it, for a
// printer: its closed shells as binary STL and as coloured 3MF, 100 mm tall,
// written to a temporary folder. The counter "bytes" is the file's size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "export/model_export.h"
#include "platform/paths.h"
#include "project/project_load.h"
#include "support/scripted_app.h"

namespace puffel {
namespace {

class SampleCat {
 public:
  static SampleCat& Get() {
    static SampleCat cat;
    return cat;
  }
  const Scene& scene() { return program_.scene(); }
  std::string path(const char* name) { return program_.folder() / "pic_hozon/" + name; }

 private:
  SampleCat() {
    const std::string save = std::string(PUFFEL_PROGRAM_DIR) + "/save/";
    for (const auto& entry : std::filesystem::directory_iterator(save)) {
      WriteFileBytes(program_.folder() / ("save/" + Utf8FromPath(entry.path().filename())),
                     ReadFileBytes(Utf8FromPath(entry.path())));
    }
    LoadProjectFile(program_.scene(), program_.folder() / "save/cat.dat", program_.folder() / "");
  }

  test::ScriptedApp program_;
};

void exportCat(benchmark::State& state, const char* name) {
  SampleCat& cat = SampleCat::Get();
  for (auto _ : state) ExportFigure(cat.scene(), cat.path(name), DefaultPrintHeight);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(cat.path(name)));
}

void BM_PrintStl(benchmark::State& state) { exportCat(state, "cat.stl"); }
void BM_PrintThreeMf(benchmark::State& state) { exportCat(state, "cat.3mf"); }

BENCHMARK(BM_PrintStl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintThreeMf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace puffel
