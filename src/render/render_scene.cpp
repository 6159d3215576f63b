#include "render/render_scene.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

#include "platform/canvas.h"
#include "render/band_fill.h"
#include "render/cell_walk.h"
#include "render/helper_threads.h"
#include "render/part_window.h"
#include "render/side_bands.h"
#include "render/side_pixels.h"

namespace puffel {

void RenderScene3D(Scene& scene, TForm2& form2) {
  DrawScene3D(scene, FillTriangle);
  form2.Present(scene.ViewBitmap, 0, 0);
}

void TranslateRenderFrame(Scene& scene, int part, double dx, double dy, double dz) {
  TranslateFrame(scene.RenderFrame[part], dx, dy, dz);
}

Point3 AttachmentShift(const Scene& scene, int j) {
  // A parent always has a lower slot than its child, so the lowest ancestor
  // is the root of the part's tree.
  int root = j;
  for (int b = 0; b < scene.PartCount; ++b) {
    if (scene.AncestorMatrix[j + 1][b + 1] != 0) {
      root = b;
      break;
    }
  }
  const Point3& o = scene.PartFrame[j].Origin;
  const Point3& tz = scene.PartFrame[j].TipZ;
  const double zx = tz.x - o.x;
  const double zy = tz.y - o.y;
  const double zz = tz.z - o.z;
  const double s = std::sqrt(zx * zx + zy * zy + zz * zz);
  const Point3& q = scene.PartFrame[root].Origin;
  const Point3 target{s * o.x + (1 - s) * q.x, s * o.y + (1 - s) * q.y, s * o.z + (1 - s) * q.z};
  return {target.x - o.x, target.y - o.y, target.z - o.z};
}

void BuildRenderFrames(Scene& scene) {
  for (int k = 0; k < scene.PartCount; ++k) scene.RenderFrame[k] = scene.PartFrame[k];
  for (int j = 0; j < scene.PartCount; ++j) {
    const Point3 shift = AttachmentShift(scene, j);
    TranslateRenderFrame(scene, j, shift.x, shift.y, shift.z);
  }
}

int ChooseDrawOrder(const Frame& frame) {
  if (std::abs(frame.TipX.z) > std::abs(frame.TipY.z)) {
    return frame.TipX.z >= frame.Origin.z ? 4 : 3;
  }
  return frame.TipY.z >= frame.Origin.z ? 2 : 1;
}

namespace {

// The background picture at (0, 0), or black: the rectangle from (-1, -1) to
// (ViewWidth + 2, ViewHeight + 2) in the black brush, whose border falls
// outside the bitmap, sets every pixel to 0 and is filled as such (here, or
// band by band with the fill when blackLater is set).
void drawBackground(Scene& scene, bool blackLater) {
  Bitmap& view = scene.ViewBitmap;
  if (!scene.BackgroundName.empty()) {
    Draw(view, 0, 0, scene.BackgroundBitmap);
  } else {
    view.canvas.brushColour = 0;
    if (!blackLater && !view.Empty()) {
      std::memset(view.Pixels(), 0, sizeof(uint32_t) * view.Width() * view.Height());
    }
  }
}

// Lines of cells walked together: rows of cells side by side read the mesh
// tables along j.
constexpr int LinesPerTask = 8;

// Where the sides' area in a band is at least this many times the band's,
// they cover one another so often that colouring each pixel once pays.
constexpr double ColourLastCover = 1.5;

// A band's sides cost about this many pixels each beyond their area.
constexpr double SideCost = 30;

// A filled pass: its lines of cells are walked, a few at a time, by whichever
// thread takes them; then its bands of rows are filled, each by whichever
// thread takes it, with its sides in walk order, so that every pixel still
// sees its sides in walk order.
class FilledPass {
 public:
  FilledPass(Scene& scene, TriangleFill fill, std::vector<BandedSides>& lines)
      : scene_(scene), fill_(fill), lines_(lines) {
    black_ = scene.BackgroundName.empty();
    height_ = std::max(scene.DepthBuffer.Height(), scene.OwnerBuffer.Height());
    if (black_) height_ = std::max(height_, scene.ViewBitmap.Height());
    bands_ = (height_ + BandRows - 1) / BandRows;
    int lineCount = 0;
    for (int k = 0; k < scene.PartCount; ++k) {
      const WalkPlan plan = PlanWalk(scene, k);
      for (int first = 0; first < plan.lines; first += LinesPerTask) {
        tasks_.push_back({plan, first, std::min(LinesPerTask, plan.lines - first), lineCount});
        lineCount += tasks_.back().count;
      }
    }
    if (lines_.size() < static_cast<size_t>(lineCount)) lines_.resize(lineCount);
    lineCount_ = lineCount;
    if (tasks_.empty()) planBands();
  }

  bool Empty() const { return tasks_.empty(); }

  // The share of one thread: walks lines while any are left, waits for the
  // others' lines, then fills bands while any are left.
  void Work() {
    for (size_t t = nextTask_++; t < tasks_.size(); t = nextTask_++) {
      walk(tasks_[t]);
      if (++tasksDone_ == tasks_.size()) planBands();
    }
    planned_.wait(false);
    thread_local std::vector<const TriangleSide*> sides;
    for (size_t b = nextBand_++; b < bandOrder_.size(); b = nextBand_++) {
      fillBand(bandOrder_[b], sides);
    }
  }

 private:
  struct Task {
    WalkPlan plan;
    int first;  // the first of the task's lines in the part's walk
    int count;
    int line;  // its place among all lines
  };

  void walk(const Task& task) {
    std::vector<TriangleSide>* out[LinesPerTask];
    for (int n = 0; n < task.count; ++n) {
      out[n] = &lines_[task.line + n].sides;
      out[n]->clear();
    }
    WalkLines(scene_, task.plan, task.first, {out, static_cast<size_t>(task.count)});
    for (int n = 0; n < task.count; ++n) lines_[task.line + n].Index(height_);
  }

  // Estimates each band's work from its sides, and orders the bands most work
  // first, so that the threads end at about the same time.
  void planBands() {
    std::vector<double> work(bands_, 0);
    area_.assign(bands_, 0);
    for (int l = 0; l < lineCount_; ++l) {
      const BandedSides& line = lines_[l];
      for (int band = line.FirstBand(); band <= line.LastBand(); ++band) {
        area_[band] += line.AreaInBand(band);
        work[band] += line.AreaInBand(band) + SideCost * line.InBand(band).size();
      }
    }
    bandOrder_.resize(bands_);
    for (int band = 0; band < bands_; ++band) bandOrder_[band] = band;
    std::stable_sort(bandOrder_.begin(), bandOrder_.end(),
                     [&](int p, int q) { return work[p] > work[q]; });
    planned_ = true;
    planned_.notify_all();
  }

  void fillBand(int band, std::vector<const TriangleSide*>& sides) {
    const RowBand rows{band * BandRows, std::min(band * BandRows + BandRows, height_) - 1};
    ClearBand(scene_, rows, black_);
    sides.clear();
    for (int l = 0; l < lineCount_; ++l) {
      const BandedSides& line = lines_[l];
      for (const uint32_t n : line.InBand(band)) sides.push_back(&line.sides[n]);
    }
    const double bandArea =
        static_cast<double>(rows.last - rows.first + 1) * FillAreaOf(scene_).width;
    if (fill_ == FillTriangle && area_[band] >= ColourLastCover * bandArea &&
        sides.size() <= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      FillBandColouringLast(scene_, rows, sides);
      return;
    }
    for (const TriangleSide* side : sides) fill_(scene_, *side, rows);
  }

  Scene& scene_;
  TriangleFill fill_;
  std::vector<BandedSides>& lines_;  // all parts' lines in walk order
  bool black_;
  int height_;  // the rows of the bands: the tallest buffer, and the view when black
  int bands_;
  int lineCount_;
  std::vector<Task> tasks_;
  std::atomic<size_t> nextTask_ = 0;
  std::atomic<size_t> tasksDone_ = 0;
  std::atomic<bool> planned_ = false;
  std::vector<double> area_;    // per band: the area of its sides
  std::vector<int> bandOrder_;  // set before planned_
  std::atomic<size_t> nextBand_ = 0;
};

void drawFilled(Scene& scene, TriangleFill fill, int threads) {
  drawBackground(scene, true);
  // Kept from pass to pass, so that a large mesh does not allocate every time;
  // the helpers reach it through the pass, as a thread_local named on their
  // own thread would be their own.
  thread_local std::vector<BandedSides> lines;
  FilledPass pass(scene, fill, lines);
  // Clearing alone does not pay for a thread. A thread that failed would
  // leave the others waiting for its lines: running out of memory ends the
  // program, as it would on a helper thread anyway.
  RunWithHelpers(pass.Empty() ? 0 : threads - 1, [&]() noexcept { pass.Work(); });
}

}  // namespace

int FillThreads() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

void DrawScene3D(Scene& scene, TriangleFill fill, int threads) {
  BuildRenderFrames(scene);
  for (int k = 0; k < std::min(scene.PartCount, scene.GridState.Size1()); ++k) {
    scene.DrawOrder = ChooseDrawOrder(scene.PartFrame[k]);
  }
  if (!scene.OutlineMode) {
    drawFilled(scene, fill, std::max(threads, 1));
    return;
  }
  drawBackground(scene, false);
  Bitmap& view = scene.ViewBitmap;
  view.canvas.penColour = 0xFFFFFF;
  view.canvas.brushColour = 0;
  for (int k = 0; k < scene.PartCount; ++k) DrawOutlines(scene, PlanWalk(scene, k));
  // The outlines never touch the buffers.
  ClearBand(scene, {0, std::max(scene.DepthBuffer.Height(), scene.OwnerBuffer.Height()) - 1},
            false);
}

}  // namespace puffel
