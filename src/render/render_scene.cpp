#include "render/render_scene.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/canvas.h"
#include "platform/numeric.h"
#include "render/part_window.h"

namespace puffel {

void RenderScene3D(Scene& scene, TForm2& form2) {
  DrawScene3D(scene, FillTriangle);
  form2.Present(scene.ViewBitmap, 0, 0);
}

void TranslateRenderFrame(Scene& scene, int part, double dx, double dy, double dz) {
  Frame& frame = scene.RenderFrame[part];
  for (Point3* point : {&frame.Origin, &frame.TipX, &frame.TipY, &frame.TipZ}) {
    point->x += dx;
    point->y += dy;
    point->z += dz;
  }
}

void BuildRenderFrames(Scene& scene) {
  for (int k = 0; k < scene.PartCount; ++k) scene.RenderFrame[k] = scene.PartFrame[k];

  for (int j = 0; j < scene.PartCount; ++j) {
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
    TranslateRenderFrame(scene, j, target.x - o.x, target.y - o.y, target.z - o.z);
  }
}

int ChooseDrawOrder(const Frame& frame) {
  if (std::abs(frame.TipX.z) > std::abs(frame.TipY.z)) {
    return frame.TipX.z >= frame.Origin.z ? 4 : 3;
  }
  return frame.TipY.z >= frame.Origin.z ? 2 : 1;
}

namespace {

// Draws the parts' cells: two triangles per cell, each tested for visibility,
// then its front and back side each drawn when it faces the viewer.
class PartWalk {
 public:
  PartWalk(Scene& scene, const PartMesh& mesh, std::vector<TriangleSide>& sides)
      : scene_(scene), mesh_(mesh), sides_(sides) {
    const Frame& f = scene.PartFrame[mesh.Part()];
    axisX_ = {f.TipX.x - f.Origin.x, f.TipX.y - f.Origin.y, f.TipX.z - f.Origin.z};
    axisY_ = {f.TipY.x - f.Origin.x, f.TipY.y - f.Origin.y, f.TipY.z - f.Origin.z};
    axisZ_ = {f.TipZ.x - f.Origin.x, f.TipZ.y - f.Origin.y, f.TipZ.z - f.Origin.z};
  }

  // Cell (i, j): the quadrilateral between grid vertices i..i+1 and j..j+1;
  // its diagonal alternates with the parity of j, as the builder's grid does.
  void Cell(int i, int j) {
    if (j % 2 == 0) {
      triangle({i, j}, {i, j + 1}, {i + 1, j + 1}, {i, j}, {i, j + 1}, {i + 1, j + 1});
      triangle({i, j}, {i + 1, j}, {i + 1, j + 1}, {i + 1, j + 1}, {i + 1, j}, {i, j});
    } else {
      triangle({i, j}, {i + 1, j}, {i, j + 1}, {i + 1, j}, {i, j}, {i, j + 1});
      triangle({i + 1, j}, {i, j + 1}, {i + 1, j + 1}, {i, j + 1}, {i + 1, j + 1}, {i + 1, j});
    }
  }

 private:
  // Drawn as a, b, c; the normal is formed from a2, v0, c2.
  void triangle(GridVertex a, GridVertex b, GridVertex c, GridVertex a2, GridVertex v0,
                GridVertex c2) {
    if (!TriangleVisible(mesh_, a, b, c)) return;
    for (const Side side : {Side::Front, Side::Back}) {
      const Point3 n = TriangleNormal(mesh_, a2, v0, c2, side);
      const Point3 frameNormal = toFrame(n);
      // A side seen from behind or edge-on is skipped; its shading would go unused.
      if (!(frameNormal.z < 0)) continue;
      const TriangleSide projected = ProjectTriangle(scene_, mesh_, a, b, c, side, frameNormal);
      if (scene_.OutlineMode) {
        DrawTriangleOutline(scene_.ViewBitmap, projected);
      } else {
        sides_.push_back(projected);
      }
    }
  }

  // (TX - O) n.x + (TY - O) n.y + (TZ - O) n.z, component by component.
  Point3 toFrame(const Point3& n) const {
    return {axisX_.x * n.x + axisY_.x * n.y + axisZ_.x * n.z,
            axisX_.y * n.x + axisY_.y * n.y + axisZ_.y * n.z,
            axisX_.z * n.x + axisY_.z * n.y + axisZ_.z * n.z};
  }

  Scene& scene_;
  const PartMesh mesh_;
  std::vector<TriangleSide>& sides_;
  Point3 axisX_, axisY_, axisZ_;
};

// Visits the cells 1..nx-1 x 1..ny-1 of part k in its DrawOrder: outlines are
// drawn at once, sides to fill are added to sides.
void walkPart(Scene& scene, int k, std::vector<TriangleSide>& sides) {
  // The walk never leaves the mesh tables, whatever grid size a slot claims.
  if (k >= scene.GridState.Size1()) return;
  const int nx = std::min(scene.GridColumns[k], scene.GridState.Size2() - 1);
  const int ny = std::min(scene.GridRows[k], scene.GridState.Size3() - 1);

  scene.DrawOrder = ChooseDrawOrder(scene.PartFrame[k]);
  if (nx < 2 || ny < 2) return;  // no cell
  if (scene.DrawOrder >= 3) {
    // Along j, as the tables store it.
    PartWalk walk(scene, PartMesh(scene, k), sides);
    if (scene.DrawOrder == 3) {
      for (int i = 1; i <= nx - 1; ++i) {
        for (int j = 1; j <= ny - 1; ++j) walk.Cell(i, j);
      }
    } else {
      for (int i = nx - 1; i >= 1; --i) {
        for (int j = 1; j <= ny - 1; ++j) walk.Cell(i, j);
      }
    }
    return;
  }
  // Along i, a few rows of cells at a time, from a copy of their vertex rows.
  constexpr int BlockRows = 8;
  thread_local std::vector<double> rows;
  const int step = scene.DrawOrder == 1 ? 1 : -1;
  const int firstRow = step > 0 ? 1 : ny - 1;
  const int cellRows = ny - 1;
  for (int done = 0; done < cellRows; done += BlockRows) {
    const int count = std::min(BlockRows, cellRows - done);
    const int from = firstRow + step * done;
    const int to = from + step * (count - 1);
    const PartMesh block(scene, k, nx + 1, std::min(from, to), std::max(from, to) + 1, rows);
    PartWalk walk(scene, block, sides);
    for (int n = 0; n < count; ++n) {
      for (int i = 1; i <= nx - 1; ++i) walk.Cell(i, from + step * n);
    }
  }
}

// The background picture at (0, 0), or black: the rectangle from (-1, -1) to
// (ViewWidth + 2, ViewHeight + 2) in the black brush, whose border falls
// outside the bitmap, sets every pixel to 0 and is filled as such.
void drawBackground(Scene& scene) {
  Bitmap& view = scene.ViewBitmap;
  if (!scene.BackgroundName.empty()) {
    Draw(view, 0, 0, scene.BackgroundBitmap);
  } else {
    view.canvas.brushColour = 0;
    if (!view.Empty()) {
      std::memset(view.Pixels(), 0, sizeof(uint32_t) * view.Width() * view.Height());
    }
  }
}

// Rows per band of the fill: a band's rows of the view and its buffers stay in
// the cache while its sides are filled.
constexpr int BandRows = 32;

// For every band, the sides that reach its rows, in walk order.
void binSides(const std::vector<TriangleSide>& sides, int height,
              std::vector<std::vector<uint32_t>>& bins) {
  bins.resize((height + BandRows - 1) / BandRows);
  for (std::vector<uint32_t>& bin : bins) bin.clear();
  for (size_t n = 0; n < sides.size(); ++n) {
    const std::array<Point3, 3>& v = sides[n].view;
    // The rows of the side's bounding box, as the fill finds them.
    const int top = std::max(TruncInt(std::min({v[0].y, v[1].y, v[2].y})), 0);
    const int bottom = std::min(TruncInt(std::max({v[0].y, v[1].y, v[2].y})), height - 1);
    for (int band = top / BandRows; band <= bottom / BandRows && top <= bottom; ++band) {
      bins[band].push_back(static_cast<uint32_t>(n));
    }
  }
}

// Clears DepthBuffer (99999999.0) and OwnerBuffer (-1) and fills the sides,
// band by band: each band is cleared and then filled with its sides in walk
// order, by whichever of `threads` threads takes it, so every pixel still sees
// its sides in walk order.
void clearAndFill(Scene& scene, const std::vector<TriangleSide>& sides, TriangleFill fill,
                  int threads) {
  ViewBuffer<double>& depth = scene.DepthBuffer;
  ViewBuffer<int32_t>& owner = scene.OwnerBuffer;
  const int height = std::max(depth.Height(), owner.Height());
  // Kept from pass to pass; the helpers reach it through this reference, as a
  // thread_local named on their own thread would be their own.
  thread_local std::vector<std::vector<uint32_t>> binsKept;
  std::vector<std::vector<uint32_t>>& bins = binsKept;
  binSides(sides, height, bins);
  const std::vector<double> emptyRow(depth.Width(), EmptyDepth);
  std::atomic<int> nextBand = 0;
  const auto fillBands = [&] {
    for (int band = nextBand++; band < static_cast<int>(bins.size()); band = nextBand++) {
      const RowBand rows{band * BandRows, std::min(band * BandRows + BandRows, height) - 1};
      for (int y = rows.first; y <= rows.last; ++y) {
        if (y < depth.Height() && depth.Width() > 0) {
          std::memcpy(depth.Row(y), emptyRow.data(), sizeof(double) * depth.Width());
        }
        if (y < owner.Height()) std::fill_n(owner.Row(y), owner.Width(), -1);
      }
      for (const uint32_t n : bins[band]) fill(scene, sides[n], rows);
    }
  };
  if (sides.empty()) threads = 1;  // clearing alone does not pay for a thread
  std::vector<std::thread> helpers;
  helpers.reserve(threads);
  try {
    for (int helper = 1; helper < threads; ++helper) helpers.emplace_back(fillBands);
  } catch (const std::system_error&) {
    // No thread to spare: the bands are filled by those there are.
  }
  fillBands();
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace

int FillThreads() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

void DrawScene3D(Scene& scene, TriangleFill fill, int threads) {
  drawBackground(scene);
  BuildRenderFrames(scene);

  Bitmap& view = scene.ViewBitmap;
  if (scene.OutlineMode) {
    view.canvas.penColour = 0xFFFFFF;
    view.canvas.brushColour = 0;
  }
  // Kept from pass to pass, so that a large mesh does not allocate every time.
  thread_local std::vector<TriangleSide> sides;
  sides.clear();
  for (int k = 0; k < scene.PartCount; ++k) walkPart(scene, k, sides);
  // The buffers are cleared with the fill, a band at a time; the walk and the
  // outlines never read them.
  clearAndFill(scene, sides, fill, std::max(threads, 1));
}

}  // namespace puffel
