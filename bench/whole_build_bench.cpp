// Adding a picture as a whole process, as a user's build runs it: puffel-batch
// started on a script that adds one picture (reading the file, every mesh
// stage, the four picture copies, the redraws) and timed from start to exit,
// page faults and all; and puffel-batch-plain, the same program with the plain
// scans of the tests.
//
// Arguments: picture side (the disc of build_bench.cpp), polygon size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr uint32_t Paper = 0xFFFFFF;
constexpr uint32_t Ink = 0x2060A0;

// A program folder holding the disc picture in "obj" and a script adding it.
class WholeBuild {
 public:
  WholeBuild(int side, int polygonSize)
      : picture_(folder_ / ("obj/disc" + std::to_string(side) + ".bmp")),
        script_(folder_ / "add.txt") {
    SaveBitmapFile(picture_, test::DiscPicture(side, side, side / 2.0, side / 2.0,
                                               900.0 * side / 2048, Ink, Paper));
    WriteFileBytes(script_, "set TrackBar1 " + std::to_string(polygonSize) + "\nanswer " +
                                picture_ + "\nclick Button1\n");
  }

  // Runs program on the script: its wall-clock seconds, or -1 when it failed
  // or reported anything.
  double Run(const std::string& program) const {
    const std::string output = folder_ / "output.txt";
    const std::string command = "'" + program + "' --program-dir '" + folder_.Path() + "' '" +
                                script_ + "' > '" + output + "'";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (status != 0 || !ReadFileBytes(output).empty()) return -1;
    return seconds.count();
  }

 private:
  test::ProgramFolderFixture folder_;
  std::string picture_;
  std::string script_;
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_WholeBuild(benchmark::State& state) {
  const WholeBuild build(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    const double seconds = build.Run(PUFFEL_BATCH_EXE);
    if (seconds < 0) {
      state.SkipWithError("puffel-batch failed");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

// The program and its plain version in turn, so that both meet the same load
// of a shared machine; the medians of both and their ratio as counters.
void BM_WholeBuildAgainstPlain(benchmark::State& state) {
  const WholeBuild build(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  std::vector<double> fast;
  std::vector<double> plain;
  for (auto _ : state) {
    fast.push_back(build.Run(PUFFEL_BATCH_EXE));
    plain.push_back(build.Run(PUFFEL_BATCH_PLAIN_EXE));
    if (fast.back() < 0 || plain.back() < 0) {
      state.SkipWithError("a build failed");
      return;
    }
    state.SetIterationTime(fast.back());
  }
  state.counters["fast_s"] = median(fast);
  state.counters["plain_s"] = median(plain);
  state.counters["plain_over_fast"] = median(plain) / median(fast);
}

BENCHMARK(BM_WholeBuild)
    ->Args({1024, 1})
    ->Args({2048, 1})
    ->Args({4096, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeBuildAgainstPlain)
    ->Args({2048, 1})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace puffel
