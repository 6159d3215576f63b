// The depth pass of one projected side: the pixels whose centres lie in the
// side and that are strictly nearer than DepthBuffer. Shared by the fill of a
// single side, which colours each such pixel at once, and the fill of a band,
// which colours a pixel only for the side that keeps it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/numeric.h"
#include "render/barycentric.h"
#include "render/row_band.h"
#include "render/row_span.h"
#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel {

// The columns and rows a side's fill may write: the view, less any buffer or
// bitmap that is smaller.
struct FillArea {
  int width;
  int height;
};

inline FillArea FillAreaOf(const Scene& scene) {
  return {std::min({scene.ViewWidth, scene.ViewBitmap.Width(), scene.DepthBuffer.Width(),
                    scene.OwnerBuffer.Width()}),
          std::min({scene.ViewHeight, scene.ViewBitmap.Height(), scene.DepthBuffer.Height(),
                    scene.OwnerBuffer.Height()})};
}

// The weights' per-triangle terms, exactly as BarycentricWeights forms them.
struct SideWeights {
  double ax, ay;
  double e1x, e1y;
  double e2x, e2y;
  double det;

  explicit SideWeights(const TriangleSide& side)
      : ax(side.view[0].x),
        ay(side.view[0].y),
        e1x(side.view[1].x - ax),
        e1y(side.view[1].y - ay),
        e2x(side.view[2].x - ax),
        e2y(side.view[2].y - ay),
        det(e1x * e2y - e2x * e1y) {}

  // The row terms k1 = e2.x dy and k2 = e1.x dy of row y.
  struct Row {
    double k1;
    double k2;
  };
  Row AtRow(int y) const {
    const double dy = (y + 0.5) - ay;
    return {e2x * dy, e1x * dy};
  }
  // The weights of pixel x in a row.
  Weights At(int x, Row row) const {
    const double dx = (x + 0.5) - ax;
    return {(dx * e2y - row.k1) / det, (row.k2 - dx * e1y) / det};
  }
};

namespace side_pixels {

// Boxes this narrow are searched whole: solving for the span would cost more.
constexpr int NarrowBox = 4;

inline bool spanSolvable(const TriangleSide& side) {
  for (const Point3& p : side.view) {
    if (!(std::abs(p.x) <= RowSpans::SpanLimit && std::abs(p.y) <= RowSpans::SpanLimit)) {
      return false;
    }
  }
  return true;
}

}  // namespace side_pixels

// The side's bounding box (its corners truncated toward zero), clipped to the
// rows of a band and to the area.
struct SideBox {
  int x0, x1;
  int y0, y1;

  bool Empty() const { return x0 > x1 || y0 > y1; }
};

namespace side_pixels {

// t truncated toward zero and clipped to low..high; low for NaN.
inline int truncClipped(double t, int low, int high) {
  return t > low ? (t < high ? static_cast<int>(t) : high) : low;
}

}  // namespace side_pixels

// Clipped before truncating: a corner beyond the area gives a box edge beyond
// it too, so that the box is empty exactly when truncating first makes it so.
// A side with a NaN corner has a NaN determinant and fills nothing whatever
// its box.
inline SideBox BoxOf(const TriangleSide& side, RowBand rows, FillArea area) {
  const Point3& a = side.view[0];
  const Point3& b = side.view[1];
  const Point3& c = side.view[2];
  const int top = std::max(rows.first, 0);
  const int bottom = std::min(rows.last, area.height - 1);
  using side_pixels::truncClipped;
  return {truncClipped(std::min(a.x, std::min(b.x, c.x)), 0, area.width),
          truncClipped(std::max(a.x, std::max(b.x, c.x)), -1, area.width - 1),
          truncClipped(std::min(a.y, std::min(b.y, c.y)), top, bottom + 1),
          truncClipped(std::max(a.y, std::max(b.y, c.y)), top - 1, bottom)};
}

// A depth that no pixel of the side comes nearer than: weights u, v >= 0 with
// u + v <= 1 mix the corners' depths, and the rounding of the mix and of its
// weights stays far below 2^-40 of the corners' magnitudes (or underflows).
// NaN, which bounds nothing, for depths that are not finite or so large
// that the mix might overflow.
inline double NearestDepthOf(const TriangleSide& side) {
  const double za = side.view[0].z;
  const double zb = side.view[1].z;
  const double zc = side.view[2].z;
  const double size = std::abs(za) + std::abs(zb) + std::abs(zc);
  if (!(size <= 0x1p1000)) return std::numeric_limits<double>::quiet_NaN();
  return std::min({za, zb, zc}) - (0x1p-40 * size + 0x1p-1000);
}

// True when every pixel of box already holds a depth at or nearer than
// nearest, so that no pixel there can take a side that comes no nearer.
inline bool HiddenBehind(const Scene& scene, SideBox box, double nearest) {
  for (int y = box.y0; y <= box.y1; ++y) {
    const double* depth = scene.DepthBuffer.Row(y);
    for (int x = box.x0; x <= box.x1; ++x) {
      if (!(nearest >= depth[x])) return false;
    }
  }
  return true;
}

// Sets DepthBuffer to the interpolated depth z and OwnerBuffer to owner at
// every pixel of side in box (its BoxOf) whose centre (x + 0.5, y + 0.5) has
// weights u >= 0, v >= 0, u + v <= 1 and whose z is strictly nearer than
// DepthBuffer, and calls written(pixels, x, u, v, z) for it, pixels being row
// y of ViewBitmap. Only pixels that cannot pass are left untested.
// Where sides cover one another often, boundEachPixel has every pixel first
// compared with the side's nearest depth, which spares weighing the pixels
// already hidden; elsewhere the comparison would cost more than it spares.
// With tiesToLowerOwner a pixel at exactly its depth goes to the side too if
// owner is lower than OwnerBuffer's, so that the sides with finite depths over
// a band whose depths are finite can be filled in any order, each with its
// place in the walk as owner, to the result of filling them in walk order.
template <bool boundEachPixel, bool tiesToLowerOwner = false, class Written>
void FillNearerPixels(Scene& scene, const TriangleSide& side, SideBox box, int32_t owner,
                      Written&& written) {
  if (box.Empty()) return;
  const Point3& a = side.view[0];
  const Point3& b = side.view[1];
  const Point3& c = side.view[2];
  const int x0 = box.x0;
  const int x1 = box.x1;
  const int y0 = box.y0;
  const int y1 = box.y1;

  const SideWeights w(side);
  if (w.det == 0 || std::isnan(w.det)) return;  // no centre has weights inside
  const double nearest = NearestDepthOf(side);
  if (HiddenBehind(scene, box, nearest)) return;

  // The pixels of rows top..bottom that lie in the spans given by spanOfRow.
  // The terms are copied, so that the writes to the buffers, which might
  // alias them, do not have them read again at every pixel.
  const double za = a.z;
  const double zb = b.z;
  const double zc = c.z;
  // So are the rows' places, which the owners' stores might otherwise alias.
  double* const depthRow = scene.DepthBuffer.Row(y0);
  int32_t* const ownersRow = scene.OwnerBuffer.Row(y0);
  uint32_t* const pixelsRow = scene.ViewBitmap.Row(y0);
  const size_t depthStride = scene.DepthBuffer.Width();
  const size_t ownersStride = scene.OwnerBuffer.Width();
  const size_t pixelsStride = scene.ViewBitmap.Width();
  const auto fillRows = [&, w = w](int top, int bottom, const auto& spanOfRow) {
    for (int y = top; y <= bottom; ++y) {
      const SideWeights::Row row = w.AtRow(y);
      const Span span = spanOfRow(y);
      const size_t n = y - y0;
      double* const depth = depthRow + n * depthStride;
      int32_t* const owners = ownersRow + n * ownersStride;
      uint32_t* const pixels = pixelsRow + n * pixelsStride;
      for (int x = span.first; x <= span.last; ++x) {
        if (boundEachPixel && nearest >= depth[x]) continue;  // no need to weigh it
        const Weights weights = w.At(x, row);
        const double u = weights.u;
        const double v = weights.v;
        if (!(u >= 0 && v >= 0 && u + v <= 1)) continue;

        const double z = u * zb + v * zc + (1 - u - v) * za;
        // Strictly nearer wins.
        if (tiesToLowerOwner ? z > depth[x] || (z == depth[x] && owner > owners[x])
                             : z >= depth[x]) {
          continue;
        }
        depth[x] = z;
        owners[x] = owner;
        written(pixels, x, u, v, z);
      }
    }
  };

  if (x1 - x0 >= side_pixels::NarrowBox && side_pixels::spanSolvable(side)) {
    const RowSpans spans({w.ax, w.ay, w.e1x, w.e1y, w.e2x, w.e2y, w.det, x0, x1, y0, y1});
    // Solved a batch of rows at a time: each solve is a long chain of
    // dependent steps, and independent solves overlap.
    constexpr int Batch = 32;
    Span batch[Batch];
    for (int top = y0; top <= y1; top += Batch) {
      const int bottom = std::min(top + Batch - 1, y1);
      for (int y = top; y <= bottom; ++y) {
        const SideWeights::Row row = w.AtRow(y);
        batch[y - top] = spans.Row(row.k1, row.k2);
      }
      fillRows(top, bottom, [&](int y) { return batch[y - top]; });
    }
  } else {
    fillRows(y0, y1, [&](int) { return Span{x0, x1}; });
  }
}

}  // namespace puffel
