#include "render/render_scene.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "platform/canvas.h"
#include "render/band_fill.h"
#include "render/cell_walk.h"
#include "render/helper_threads.h"
#include "render/row_copy.h"
#include "render/side_bands.h"
#include "render/side_paint.h"
#include "render/side_pixels.h"
#include "scene/attachment.h"

namespace puffel {

void RenderScene3D(Scene& scene, Bitmap& shown) {
  DrawScene3D(scene, FillTriangle, FillThreads(), &shown);
}

void TranslateRenderFrame(Scene& scene, int part, double dx, double dy, double dz) {
  TranslateFrame(scene.RenderFrame[part], dx, dy, dz);
}

void BuildRenderFrames(Scene& scene) {
  for (int k = 0; k < scene.PartCount; ++k) scene.RenderFrame[k] = scene.PartFrame[k];
  for (int j = 0; j < scene.PartCount; ++j) {
    const Point3 shift = AttachmentShift(scene, j);
    TranslateRenderFrame(scene, j, shift.x, shift.y, shift.z);
  }
}

namespace {

// The background picture at (0, 0), or black: the rectangle from (-1, -1) to
// (ViewWidth + 2, ViewHeight + 2) in the black brush, whose border falls
// outside the bitmap, sets every pixel to 0. The filled pass starts each band
// of rows so when it fills the band, while the rows are in the cache; only a
// background drawn in another mode than plain copying is drawn first, whole.
struct Background {
  bool black;
  const Bitmap* picture;  // to be copied band by band, or null

  explicit Background(Scene& scene)
      : black(scene.BackgroundName.empty()),
        picture(!black && scene.ViewBitmap.canvas.copyMode == CopyMode::Copy
                    ? &scene.BackgroundBitmap
                    : nullptr) {}
};

void drawBackground(Scene& scene, const Background& background) {
  if (background.black) {
    scene.ViewBitmap.canvas.brushColour = 0;
  } else if (!background.picture) {
    Draw(scene.ViewBitmap, 0, 0, scene.BackgroundBitmap);
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

// What one thread of a filled pass works in.
struct WorkerMemory {
  std::vector<const TriangleSide*> sides;  // the band's, in walk order
  ColourLastMemory colourLast;
};

struct RenderMemory {
  std::vector<BandedSides> lines;
  std::vector<WorkerMemory> workers;
};

// A filled pass: its lines of cells are walked, a few at a time, by whichever
// thread takes them; then its bands of rows are filled, each by whichever
// thread takes it, with its sides in walk order, so that every pixel still
// sees its sides in walk order.
class FilledPass {
 public:
  FilledPass(Scene& scene, TriangleFill fill, const Background& background, Bitmap* shown,
             RenderMemory& memory)
      : scene_(scene),
        fill_(fill),
        background_(background),
        shown_(shown),
        lines_(memory.lines),
        workers_(memory.workers) {
    height_ = std::max(
        {scene.DepthBuffer.Height(), scene.OwnerBuffer.Height(), scene.ViewBitmap.Height()});
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
  // others' lines, then fills bands while any are left. Running out of memory
  // ends the pass on every thread; while the lines are walked and the bands
  // planned, where nearly all of its memory is taken, nothing has been drawn.
  // worker is the thread's place among those of the pass, below Workers().
  void Work(int worker) noexcept {
    for (size_t t = nextTask_++; t < tasks_.size(); t = nextTask_++) {
      try {
        if (!failed_) walk(tasks_[t]);
      } catch (const std::bad_alloc&) {
        failed_ = true;
      }
      if (++tasksDone_ == tasks_.size()) planBands();
    }
    planned_.Wait();
    WorkerMemory& memory = workers_[worker];
    try {
      for (size_t b = nextBand_++; !failed_ && b < bandOrder_.size(); b = nextBand_++) {
        fillBand(bandOrder_[b], memory);
      }
    } catch (const std::bad_alloc&) {
      failed_ = true;
    }
  }

  bool Failed() const { return failed_; }

  // Makes the working memory of threads threads ready.
  void PrepareWorkers(int threads) {
    if (workers_.size() < static_cast<size_t>(threads)) workers_.resize(threads);
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
  // first, so that the threads end at about the same time; then draws the
  // background the bands do not copy.
  void planBands() noexcept {
    try {
      if (!failed_) orderBands();
    } catch (const std::bad_alloc&) {
      failed_ = true;
    }
    if (!failed_) drawBackground(scene_, background_);
    planned_.Raise();
  }

  void orderBands() {
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
  }

  void fillBand(int band, WorkerMemory& memory) {
    const RowBand rows{band * BandRows, std::min(band * BandRows + BandRows, height_) - 1};
    ClearBand(scene_, rows, background_.black);
    if (background_.picture) CopyRows(scene_.ViewBitmap, *background_.picture, rows);
    fillSides(band, rows, memory);
    if (shown_) CopyRows(*shown_, scene_.ViewBitmap, rows);
  }

  void fillSides(int band, RowBand rows, WorkerMemory& memory) {
    std::vector<const TriangleSide*>& sides = memory.sides;
    sides.clear();
    for (int l = 0; l < lineCount_; ++l) {
      const BandedSides& line = lines_[l];
      for (const uint32_t n : line.InBand(band)) sides.push_back(&line.sides[n]);
    }
    const double bandArea =
        static_cast<double>(rows.last - rows.first + 1) * FillAreaOf(scene_).width;
    if (fill_ == FillTriangle && area_[band] >= ColourLastCover * bandArea &&
        sides.size() <= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      FillBandColouringLast(scene_, rows, sides, memory.colourLast);
      return;
    }
    for (size_t n = 0; n < sides.size(); ++n) {
      if (n + 1 < sides.size()) PrefetchTexels(scene_, *sides[n + 1]);
      fill_(scene_, *sides[n], rows);
    }
  }

  Scene& scene_;
  TriangleFill fill_;
  const Background& background_;
  Bitmap* shown_;
  std::vector<BandedSides>& lines_;  // all parts' lines in walk order
  std::vector<WorkerMemory>& workers_;
  int height_;  // the rows of the bands: the tallest of the view and its buffers
  int bands_;
  int lineCount_;
  std::vector<Task> tasks_;
  std::atomic<size_t> nextTask_ = 0;
  std::atomic<size_t> tasksDone_ = 0;
  RaisedFlag planned_;  // the bands are planned and the background drawn
  std::atomic<bool> failed_ = false;
  std::vector<double> area_;    // per band: the area of its sides
  std::vector<int> bandOrder_;  // set before planned_
  std::atomic<size_t> nextBand_ = 0;
};

// The pass's memory, kept from pass to pass so that a large mesh does not
// allocate every time; one pass at a time uses it.
std::mutex retainedInUse;
RenderMemory retained;

// Throws std::bad_alloc when the pass cannot get its memory; unless that
// happened while its bands were filled, the view is as it was.
void drawFilled(Scene& scene, TriangleFill fill, int threads, Bitmap* shown) {
  const std::lock_guard<std::mutex> lock(retainedInUse);
  const Background background(scene);
  FilledPass pass(scene, fill, background, shown, retained);
  // Clearing alone does not pay for a thread.
  const int helpers = pass.Empty() ? 0 : threads - 1;
  pass.PrepareWorkers(helpers + 1);
  RunWithHelpers(helpers, [&](int worker) { pass.Work(worker); });
  if (pass.Failed()) throw std::bad_alloc();
}

}  // namespace

void ReleaseRenderMemory() {
  const std::lock_guard<std::mutex> lock(retainedInUse);
  retained = RenderMemory();
}

int FillThreads() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

void DrawScene3D(Scene& scene, TriangleFill fill, int threads, Bitmap* shown) {
  BuildRenderFrames(scene);
  for (int k = 0; k < std::min(scene.PartCount, scene.GridState.Size1()); ++k) {
    scene.DrawOrder = ChooseDrawOrder(scene.PartFrame[k]);
  }
  if (!scene.OutlineMode) {
    drawFilled(scene, fill, std::max(threads, 1), shown);
    return;
  }
  const Background background(scene);
  drawBackground(scene, background);
  ClearBand(scene, AllRows, background.black);
  Bitmap& view = scene.ViewBitmap;
  if (background.picture) CopyRows(view, *background.picture, AllRows);
  view.canvas.penColour = 0xFFFFFF;
  view.canvas.brushColour = 0;
  // The outlines never touch the buffers.
  for (int k = 0; k < scene.PartCount; ++k) DrawOutlines(scene, PlanWalk(scene, k));
  if (shown) CopyRows(*shown, view, AllRows);
}

}  // namespace puffel
