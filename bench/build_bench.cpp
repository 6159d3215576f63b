// The mesh stages of a build on large pictures, and the fast searches against
// the plain scans on smaller ones: whole mesh builds, and the two searches
// alone (the nearest-outline search with the reach raise, and the rim colour
// bleeding), everything else done outside the clock.
//
// Arguments of every benchmark: picture (0 filled disc, 1 many-pointed star),
// polygon size (TrackBar1), grid (1 triangular, 0 square).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>

#include "builder/finish.h"
#include "builder/inflate.h"
#include "builder/part_mesh.h"
#include "builder/part_scene.h"
#include "builder/plain_scan.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr uint32_t Paper = 0xFFFFFF;
constexpr uint32_t Ink = 0x2060A0;

// A star of 96 points around the middle: its rim runs in and out between
// 0.55 and 1 of the radius, a long outline with sharp corners.
Bitmap starPicture(int side, double radius) {
  constexpr int Points = 96;
  Bitmap picture(side, side);
  picture.Fill(Paper);
  const double centre = side / 2.0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double dx = x + 0.5 - centre;
      const double dy = y + 0.5 - centre;
      const double turn = (std::atan2(dy, dx) + std::numbers::pi) / (2 * std::numbers::pi);
      const double phase = std::abs(std::fmod(turn * Points, 1.0) - 0.5) * 2;
      const double rim = radius * (0.55 + 0.45 * phase);
      if (dx * dx + dy * dy <= rim * rim) picture.Row(y)[x] = Ink;
    }
  }
  return picture;
}

const Bitmap& picture(int kind, int side) {
  static std::map<std::pair<int, int>, Bitmap> made;
  const auto key = std::make_pair(kind, side);
  auto found = made.find(key);
  if (found == made.end()) {
    const double radius = 900.0 * side / 2048;
    found = made.emplace(key, kind == 0 ? test::DiscPicture(side, side, side / 2.0, side / 2.0,
                                                            radius, Ink, Paper)
                                        : starPicture(side, radius))
                .first;
  }
  return found->second;
}

MeshSettings settingsOf(const benchmark::State& state) {
  return {.polygonSize = static_cast<int>(state.range(1)),
          .triangularGrid = state.range(2) == 1,
          .colourProjection = false,
          .frontBulge = 1,
          .backBulge = 1};
}

void reportSizes(benchmark::State& state, const Scene& scene, int outlineLength) {
  const int nx = scene.GridColumns[0];
  const int ny = scene.GridRows[0];
  int inside = 0;
  for (int i = 0; i <= nx; ++i) {
    for (int j = 0; j <= ny; ++j) inside += scene.GridState[0][i][j] == 2;
  }
  state.counters["grid_points"] = static_cast<double>(nx + 1) * (ny + 1);
  state.counters["inside_points"] = inside;
  state.counters["outline"] = outlineLength;
}

// The mesh stages of one build: grid, outline, search, inflation, finishing
// and the move to pivot-relative coordinates, into a fresh scene.
void meshBuild(benchmark::State& state, int side, bool plain) {
  const Bitmap& source = picture(static_cast<int>(state.range(0)), side);
  const MeshSettings settings = settingsOf(state);
  const ShapeSettings shape;
  const BuildProgress silent;
  ProgressBarPosition progressBar{silent};
  int outlineLength = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto scene = std::make_unique<Scene>();
    test::PutPicture(*scene, 0, source);
    state.ResumeTiming();
    if (plain) {
      outlineLength = test::PlainBuildPartMesh(*scene, 0, settings, shape).outline.Count();
    } else {
      const std::unique_ptr<PartAnalysis> analysis = AnalysePart(*scene, 0, settings, progressBar);
      InflatePart(*scene, 0, *analysis, settings, shape);
      FinishPartMesh(*scene, 0, *analysis);
      outlineLength = analysis->outline.Count();
    }
    PlacePartMesh(*scene, 0);
    benchmark::DoNotOptimize(scene->FrontZ[0][1][1]);
    state.PauseTiming();
    reportSizes(state, *scene, outlineLength);
    scene.reset();
    state.ResumeTiming();
  }
}

// The stages one by one, as the plain oracle runs them; returns the seconds
// spent in the nearest-outline search and in the bleeding.
double searchSeconds(Scene& scene, const MeshSettings& settings, bool plain) {
  using Clock = std::chrono::steady_clock;
  const BuildProgress silent;
  ProgressBarPosition progressBar{silent};
  const Bitmap& source = scene.PartPicture[0];
  const GridSpacing spacing = ComputeGridSpacing(settings.polygonSize, settings.triangularGrid);
  const double f = ReachFactor(settings.polygonSize);
  SetUpGridTables(scene, 0, ComputeGridExtent(source.Width(), source.Height(), spacing));
  const OutlineList outline = FindOutline(source, scene.BackgroundColour);
  PlaceGridPoints(scene, 0, spacing, settings.colourProjection);
  ClassifyGridPoints(scene, 0, scene.BackgroundColour);
  OutlineMeasures measures;
  PrepareMeasures(scene, 0, outline, measures);

  const auto searchStart = Clock::now();
  std::optional<OutlineIndex> index;
  std::optional<OutlineBuckets> buckets;
  if (plain) {
    Table2D<double> outlineDistance;
    outlineDistance.Redim(scene.GridColumns[0] + 1, scene.GridRows[0] + 1);
    test::PlainFindNearestOutlines(scene, 0, outline, f * f, measures, outlineDistance);
  } else {
    index.emplace(outline);
    buckets.emplace(outline);
    FindNearestOutlines(scene, 0, outline, *index, f * f, measures, progressBar);
  }
  const std::chrono::duration<double> search = Clock::now() - searchStart;

  SnapRimPoints(scene, 0, outline, measures);
  InflateInsidePoints(scene, 0, outline, measures, 1, 1, 0);
  StretchDepths(scene, 0, 10, 10);
  ClearGridBorder(scene, 0);
  const std::vector<PixelRect> rectangles = RimRectangles(scene, 0);

  const auto bleedStart = Clock::now();
  if (plain) {
    BleedRimTriangles(scene, 0, rectangles, outline,
                      [&](int x, int y) { return test::PlainNearestOutline(outline, x, y); });
  } else {
    int last = -1;
    int slot = -1;
    BleedRimTriangles(scene, 0, rectangles, outline, [&](int x, int y) {
      std::optional<OutlineMatch> match = buckets->FindNearest(x, y, last);
      if (!match) {
        match = index->FindNearest(x, y, slot);
        if (match->n >= 0) slot = match->slot;
      }
      if (match->n >= 0) last = match->n;
      return match->n;
    });
  }
  const std::chrono::duration<double> bleed = Clock::now() - bleedStart;
  return search.count() + bleed.count();
}

void searches(benchmark::State& state, bool plain) {
  const Bitmap& source = picture(static_cast<int>(state.range(0)), 512);
  const MeshSettings settings = settingsOf(state);
  for (auto _ : state) {
    auto scene = std::make_unique<Scene>();
    test::PutPicture(*scene, 0, source);
    state.SetIterationTime(searchSeconds(*scene, settings, plain));
  }
}

void BM_MeshBuild2048(benchmark::State& state) { meshBuild(state, 2048, false); }
void BM_MeshBuild512(benchmark::State& state) { meshBuild(state, 512, false); }
void BM_MeshBuild512Plain(benchmark::State& state) { meshBuild(state, 512, true); }
void BM_Searches512(benchmark::State& state) { searches(state, false); }
void BM_Searches512Plain(benchmark::State& state) { searches(state, true); }

void cases(benchmark::internal::Benchmark* bench) {
  for (int kind : {0, 1}) {
    for (int size : {1, 8}) {
      for (int triangular : {1, 0}) bench->Args({kind, size, triangular});
    }
  }
  bench->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_MeshBuild2048)->Apply(cases)->UseRealTime();
BENCHMARK(BM_MeshBuild512)->Apply(cases)->UseRealTime();
BENCHMARK(BM_MeshBuild512Plain)->Apply(cases)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Searches512)->Apply(cases)->UseManualTime();
BENCHMARK(BM_Searches512Plain)->Apply(cases)->UseManualTime()->Iterations(3);

}  // namespace
}  // namespace puffel
