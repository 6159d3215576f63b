// Canvas drawing on Bitmap. Sections: pixel helpers, Rectangle, Line,
// Ellipse, Polygon, Draw, text and single pixels.
//
// Every shape is clipped to the picture. Coordinates are widened to 64 bits
// before any arithmetic, so no int input can overflow or reach outside a row,
// and loops only visit the part of a shape that lies inside the picture.
#include "platform/canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace puffel {

namespace {

// ---- Pixel helpers ----

// Fills the pixels x0..x1 (inclusive) of row y, clipped to the picture.
void fillSpan(Bitmap& target, int64_t y, int64_t x0, int64_t x1, uint32_t pixel) {
  if (y < 0 || y >= target.Height()) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, target.Width() - 1);
  if (x0 > x1) return;
  uint32_t* row = target.Row(static_cast<int>(y));
  std::fill(row + x0, row + x1 + 1, pixel);
}

void plot(Bitmap& target, int64_t x, int64_t y, uint32_t pixel) {
  if (x < 0 || y < 0 || x >= target.Width() || y >= target.Height()) return;
  target.Row(static_cast<int>(y))[x] = pixel;
}

// The pixels of the line from (x1, y1) to (x2, y2), end point excluded.
// Pixel k along the major axis sits at minor offset round(k * minor / major),
// a tie rounding away from the start point: the classic Bresenham choice. The
// offset is carried as quotient and remainder, so only the pixels whose major
// coordinate lies inside the picture are visited.
void drawLine(Bitmap& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t pixel) {
  const int64_t dx = x2 >= x1 ? x2 - x1 : x1 - x2;
  const int64_t dy = y2 >= y1 ? y2 - y1 : y1 - y2;
  const bool xMajor = dx >= dy;
  const int64_t major = xMajor ? dx : dy;
  const int64_t minor = xMajor ? dy : dx;
  if (major == 0) return;
  const int64_t a1 = xMajor ? x1 : y1;
  const int64_t b1 = xMajor ? y1 : x1;
  const int64_t aStep = (xMajor ? x2 >= x1 : y2 >= y1) ? 1 : -1;
  const int64_t bStep = (xMajor ? y2 >= y1 : x2 >= x1) ? 1 : -1;
  const int64_t aLimit = xMajor ? target.Width() : target.Height();
  const int64_t bLimit = xMajor ? target.Height() : target.Width();

  // Steps k in 0..major-1 whose major coordinate a1 + aStep * k is in 0..aLimit-1.
  int64_t kFirst = aStep > 0 ? -a1 : a1 - (aLimit - 1);
  int64_t kLast = aStep > 0 ? aLimit - 1 - a1 : a1;
  kFirst = std::max<int64_t>(kFirst, 0);
  kLast = std::min<int64_t>(kLast, major - 1);
  if (kFirst > kLast) return;

  // k * minor < 2^64 because both are below 2^32.
  const uint64_t start = static_cast<uint64_t>(kFirst) * static_cast<uint64_t>(minor);
  int64_t quotient = static_cast<int64_t>(start / static_cast<uint64_t>(major));
  int64_t remainder = static_cast<int64_t>(start % static_cast<uint64_t>(major));
  for (int64_t k = kFirst; k <= kLast; ++k) {
    const int64_t b = b1 + bStep * (quotient + (2 * remainder >= major ? 1 : 0));
    if (b >= 0 && b < bLimit) {
      const int64_t a = a1 + aStep * k;
      if (xMajor) {
        target.Row(static_cast<int>(b))[a] = pixel;
      } else {
        target.Row(static_cast<int>(a))[b] = pixel;
      }
    }
    remainder += minor;
    if (remainder >= major) {
      remainder -= major;
      ++quotient;
    }
  }
}

// ---- Ellipse ----

// a * b <= c * d for unsigned 64-bit factors, compared on the exact 128-bit products.
bool productAtMost(uint64_t a, uint64_t b, uint64_t c, uint64_t d) {
  auto wide = [](uint64_t u, uint64_t v) {
    const uint64_t uLow = u & 0xFFFFFFFFu, uHigh = u >> 32;
    const uint64_t vLow = v & 0xFFFFFFFFu, vHigh = v >> 32;
    const uint64_t low = uLow * vLow, cross1 = uLow * vHigh, cross2 = uHigh * vLow;
    const uint64_t middle = (low >> 32) + (cross1 & 0xFFFFFFFFu) + (cross2 & 0xFFFFFFFFu);
    return std::pair<uint64_t, uint64_t>(
        uHigh * vHigh + (cross1 >> 32) + (cross2 >> 32) + (middle >> 32),
        (low & 0xFFFFFFFFu) | (middle << 32));
  };
  return wide(a, b) <= wide(c, d);
}

// The ellipse inscribed in a width x height box, in doubled coordinates
// measured from the box centre: pixel column offset u = 2x + 1 - (x1 + x2)
// and row offset v = 2y + 1 - (y1 + y2). A pixel belongs to the ellipse when
// its centre does: u^2 h^2 + v^2 w^2 <= w^2 h^2.
struct EllipseBox {
  int64_t x1, y1, x2, y2;
  uint64_t w, h;
};

using Columns = std::pair<int64_t, int64_t>;  // first and last column; first > last: none
constexpr Columns noColumns{1, 0};

// The columns of row y inside the ellipse.
Columns ellipseRow(const EllipseBox& box, int64_t y) {
  if (y < box.y1 || y >= box.y2) return noColumns;
  const int64_t v = 2 * y + 1 - (box.y1 + box.y2);
  const uint64_t av = static_cast<uint64_t>(v < 0 ? -v : v);  // below h
  const uint64_t ww = box.w * box.w;
  const uint64_t rest = box.h * box.h - av * av;  // inside: u^2 h^2 <= w^2 rest
  const uint64_t hh = box.h * box.h;
  auto inside = [&](uint64_t u) { return productAtMost(u * u, hh, ww, rest); };
  // u has the parity of w + 1; start from the real-valued bound and correct it exactly.
  const double bound =
      static_cast<double>(box.w) * std::sqrt(static_cast<double>(rest) / static_cast<double>(hh));
  int64_t u = std::min<int64_t>(static_cast<int64_t>(bound), static_cast<int64_t>(box.w));
  if (((u ^ static_cast<int64_t>(box.w + 1)) & 1) != 0) --u;
  while (u >= 0 && !inside(static_cast<uint64_t>(u))) u -= 2;
  while (u + 2 <= static_cast<int64_t>(box.w) && inside(static_cast<uint64_t>(u + 2))) u += 2;
  if (u < 0) return noColumns;
  const int64_t twiceCentre = box.x1 + box.x2 - 1;  // 2x = twiceCentre + u
  return {(twiceCentre - u) / 2, (twiceCentre + u) / 2};
}

// ---- Polygon ----

// Even-odd fill of the pixels whose centre lies inside the polygon. A centre
// exactly on an edge belongs to the span that starts there, not to the one
// that ends there, so polygons sharing an edge fill it once. Crossings are
// computed in doubles, exactly for coordinates within +-2^24; beyond that
// they are rounded but still clipped to the picture.
void fillPolygon(Bitmap& target, std::span<const IntPoint> points, uint32_t pixel) {
  const size_t n = points.size();
  if (n < 3) return;
  int64_t top = points[0].y, bottom = points[0].y;
  for (const IntPoint& p : points) {
    top = std::min<int64_t>(top, p.y);
    bottom = std::max<int64_t>(bottom, p.y);
  }
  // Rows whose centre y + 0.5 lies between the top and bottom vertices.
  const int64_t rowFirst = std::max<int64_t>(top, 0);
  const int64_t rowLast = std::min<int64_t>(bottom - 1, target.Height() - 1);
  if (rowFirst > rowLast) return;

  std::array<int64_t, 8> fewCrossings;
  std::vector<int64_t> manyCrossings;
  int64_t* crossings = fewCrossings.data();
  if (n > fewCrossings.size()) {
    manyCrossings.resize(n);
    crossings = manyCrossings.data();
  }
  const double width = target.Width();
  for (int64_t y = rowFirst; y <= rowLast; ++y) {
    size_t count = 0;
    for (size_t i = 0; i < n; ++i) {
      IntPoint p = points[i];
      IntPoint q = points[i + 1 == n ? 0 : i + 1];
      if (p.y == q.y) continue;
      if (p.y > q.y) std::swap(p, q);
      // Vertex rows are integers and centres half-integers, so a centre is
      // never level with a vertex: the test is strict on both ends.
      if (y < p.y || y >= q.y) continue;
      const int64_t dy = int64_t{q.y} - p.y;
      const int64_t s = 2 * (y - p.y) + 1;
      // First pixel whose centre is at or right of the crossing
      // c = p.x + s (q.x - p.x) / (2 dy): ceil(c - 0.5).
      const double numerator = static_cast<double>(2 * int64_t{p.x} - 1) * static_cast<double>(dy) +
                               static_cast<double>(s) * static_cast<double>(int64_t{q.x} - p.x);
      const double first = std::ceil(numerator / static_cast<double>(2 * dy));
      crossings[count++] = static_cast<int64_t>(std::clamp(first, 0.0, width));
    }
    std::sort(crossings, crossings + count);
    for (size_t i = 0; i + 1 < count; i += 2) {
      fillSpan(target, y, crossings[i], crossings[i + 1] - 1, pixel);
    }
  }
}

TextRenderer& installedTextRenderer() {
  static TextRenderer renderer;
  return renderer;
}

}  // namespace

// ---- Shapes ----

void Rectangle(Bitmap& target, int x1, int y1, int x2, int y2) {
  const int64_t left = std::min(x1, x2), right = int64_t{std::max(x1, x2)} - 1;
  const int64_t upper = std::min(y1, y2), lower = int64_t{std::max(y1, y2)} - 1;
  if (left > right || upper > lower) return;
  const uint32_t pen = SwapRedBlue(target.canvas.penColour);
  const uint32_t brush = SwapRedBlue(target.canvas.brushColour);
  const int64_t rowFirst = std::max<int64_t>(upper, 0);
  const int64_t rowLast = std::min<int64_t>(lower, target.Height() - 1);
  for (int64_t y = rowFirst; y <= rowLast; ++y) {
    if (y == upper || y == lower) {
      fillSpan(target, y, left, right, pen);
    } else {
      plot(target, left, y, pen);
      fillSpan(target, y, left + 1, right - 1, brush);
      plot(target, right, y, pen);
    }
  }
}

void Ellipse(Bitmap& target, int x1, int y1, int x2, int y2) {
  EllipseBox box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), 0, 0};
  if (box.x1 == box.x2 || box.y1 == box.y2) return;
  box.w = static_cast<uint64_t>(box.x2 - box.x1);
  box.h = static_cast<uint64_t>(box.y2 - box.y1);
  const uint32_t pen = SwapRedBlue(target.canvas.penColour);
  const uint32_t brush = SwapRedBlue(target.canvas.brushColour);
  const int64_t rowFirst = std::max<int64_t>(box.y1, 0);
  const int64_t rowLast = std::min<int64_t>(box.y2 - 1, target.Height() - 1);
  // The border is every ellipse pixel with a 4-neighbour outside the ellipse;
  // the rows are nested towards the middle, so a row's interior is the span
  // shared with both neighbouring rows, less its own two ends.
  for (int64_t y = rowFirst; y <= rowLast; ++y) {
    const auto [left, right] = ellipseRow(box, y);
    if (left > right) continue;
    const auto [leftAbove, rightAbove] = ellipseRow(box, y - 1);
    const auto [leftBelow, rightBelow] = ellipseRow(box, y + 1);
    const int64_t innerLeft = std::max({left + 1, leftAbove, leftBelow});
    const int64_t innerRight = std::min({right - 1, rightAbove, rightBelow});
    if (leftAbove > rightAbove || leftBelow > rightBelow || innerLeft > innerRight) {
      fillSpan(target, y, left, right, pen);
    } else {
      fillSpan(target, y, left, innerLeft - 1, pen);
      fillSpan(target, y, innerLeft, innerRight, brush);
      fillSpan(target, y, innerRight + 1, right, pen);
    }
  }
}

void Polygon(Bitmap& target, std::span<const IntPoint> points) {
  if (points.empty()) return;
  fillPolygon(target, points, SwapRedBlue(target.canvas.brushColour));
  const uint32_t pen = SwapRedBlue(target.canvas.penColour);
  for (size_t i = 0; i < points.size(); ++i) {
    const IntPoint p = points[i];
    const IntPoint q = points[i + 1 == points.size() ? 0 : i + 1];
    drawLine(target, p.x, p.y, q.x, q.y, pen);
    plot(target, p.x, p.y, pen);  // the line skips zero-length edges
  }
}

void Line(Bitmap& target, int x1, int y1, int x2, int y2) {
  drawLine(target, x1, y1, x2, y2, SwapRedBlue(target.canvas.penColour));
}

// ---- Pictures, text and single pixels ----

void TextOut(Bitmap& target, int x, int y, const std::string& utf8) {
  const TextRenderer& renderer = installedTextRenderer();
  if (renderer) renderer(target, x, y, utf8, target.canvas.fontColour, target.canvas.fontHeight);
}

void SetTextRenderer(TextRenderer renderer) { installedTextRenderer() = std::move(renderer); }

void Draw(Bitmap& target, int x, int y, const Bitmap& source) {
  if (&target == &source) {  // the source must be read as it was before drawing
    const Bitmap copy = source;
    Draw(target, x, y, copy);
    return;
  }
  const int64_t left = std::max<int64_t>(x, 0);
  const int64_t right = std::min<int64_t>(int64_t{x} + source.Width(), target.Width());
  const int64_t upper = std::max<int64_t>(y, 0);
  const int64_t lower = std::min<int64_t>(int64_t{y} + source.Height(), target.Height());
  if (left >= right || upper >= lower) return;
  const size_t count = static_cast<size_t>(right - left);
  for (int64_t row = upper; row < lower; ++row) {
    uint32_t* to = target.Row(static_cast<int>(row)) + left;
    const uint32_t* from = source.Row(static_cast<int>(row - y)) + (left - x);
    switch (target.canvas.copyMode) {
      case CopyMode::Copy:
        std::memcpy(to, from, count * sizeof(uint32_t));
        break;
      case CopyMode::And:
        for (size_t i = 0; i < count; ++i) to[i] &= from[i];
        break;
      case CopyMode::Xor:
        for (size_t i = 0; i < count; ++i) to[i] ^= from[i];
        break;
    }
  }
}

uint32_t CanvasPixel(const Bitmap& target, int x, int y) {
  if (x < 0 || y < 0 || x >= target.Width() || y >= target.Height()) return 0;
  return SwapRedBlue(target.Row(y)[x]);
}

void SetCanvasPixel(Bitmap& target, int x, int y, uint32_t colour) {
  plot(target, x, y, SwapRedBlue(colour));
}

}  // namespace puffel
