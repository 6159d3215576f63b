#include "sample_art/sheet.h"

#include <algorithm>
#include <cmath>

namespace puffel::art {

namespace {

int clampChannel(double v) {
  if (v <= 0) return 0;
  if (v >= 255) return 255;
  return static_cast<int>(v);
}

size_t cell(const Sheet& sheet, int x, int y) { return static_cast<size_t>(y) * sheet.width + x; }

// The light's direction (toward the light): from the upper left and in front.
constexpr double kLightX = -0.45;
constexpr double kLightY = -0.55;
constexpr double kLightZ = 0.70;
constexpr double kAmbient = 0.66;
constexpr double kDiffuse = 0.42;
constexpr int kBlurRadius = 2;

double heightAt(const Sheet& sheet, const std::vector<double>& height, int x, int y) {
  x = std::clamp(x, 0, sheet.width - 1);
  y = std::clamp(y, 0, sheet.height - 1);
  return height[cell(sheet, x, y)];
}

// One pass of a box blur along rows (or columns) of values; pixels past the
// picture's edge repeat the edge pixel.
void boxBlur(const Sheet& sheet, std::vector<double>& values, bool alongRows) {
  const std::vector<double> source = values;
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      double sum = 0;
      for (int d = -kBlurRadius; d <= kBlurRadius; ++d) {
        sum += alongRows ? heightAt(sheet, source, x + d, y) : heightAt(sheet, source, x, y + d);
      }
      values[cell(sheet, x, y)] = sum / (2 * kBlurRadius + 1);
    }
  }
}

}  // namespace

uint32_t RowPixel(Rgb c) {
  return (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) |
         static_cast<uint32_t>(c.b);
}

Rgb Scaled(Rgb c, double factor) {
  return {clampChannel(c.r * factor), clampChannel(c.g * factor), clampChannel(c.b * factor)};
}

Rgb Mixed(Rgb a, Rgb b, double t) {
  return {clampChannel(a.r + (b.r - a.r) * t), clampChannel(a.g + (b.g - a.g) * t),
          clampChannel(a.b + (b.b - a.b) * t)};
}

double LightOn(double nx, double ny, double nz) {
  const double lightLength = std::sqrt(kLightX * kLightX + kLightY * kLightY + kLightZ * kLightZ);
  const double normalLength = std::sqrt(nx * nx + ny * ny + nz * nz);
  const double lit = (nx * kLightX + ny * kLightY + nz * kLightZ) / (normalLength * lightLength);
  return lit > 0 ? lit : 0;
}

Sheet NewSheet(int width, int height, Point corner, Rgb background) {
  Sheet sheet;
  sheet.width = width;
  sheet.height = height;
  sheet.corner = corner;
  sheet.background = background;
  const size_t pixels = static_cast<size_t>(width) * height;
  sheet.inside.assign(pixels, 0);
  sheet.colour.assign(pixels, background);
  sheet.edgeDistance.assign(pixels, 0.0);
  return sheet;
}

Point PixelCentre(const Sheet& sheet, int x, int y) {
  return {sheet.corner.x + x + 0.5, sheet.corner.y + y + 0.5};
}

void AddSilhouette(Sheet& sheet, const Shape& shape) {
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      if (shape(PixelCentre(sheet, x, y))) sheet.inside[cell(sheet, x, y)] = 1;
    }
  }
}

void MeasureEdges(Sheet& sheet) {
  // The outside pixels next to the silhouette; the nearest outside pixel of any
  // inside pixel is one of them.
  struct Border {
    int x, y;
  };
  std::vector<Border> border;
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      if (sheet.inside[cell(sheet, x, y)]) continue;
      bool touches = false;
      for (int dy = -1; dy <= 1 && !touches; ++dy) {
        for (int dx = -1; dx <= 1 && !touches; ++dx) {
          const int nx = x + dx;
          const int ny = y + dy;
          touches = nx >= 0 && ny >= 0 && nx < sheet.width && ny < sheet.height &&
                    sheet.inside[cell(sheet, nx, ny)];
        }
      }
      if (touches) border.push_back({x, y});
    }
  }
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      const size_t c = cell(sheet, x, y);
      if (!sheet.inside[c]) continue;
      // A silhouette touching the picture's edge is measured to the edge.
      int best = std::min({x + 1, y + 1, sheet.width - x, sheet.height - y});
      best *= best;
      for (const Border& b : border) {
        best = std::min(best, (b.x - x) * (b.x - x) + (b.y - y) * (b.y - y));
      }
      sheet.edgeDistance[c] = std::sqrt(static_cast<double>(best));
    }
  }
}

void Fill(Sheet& sheet, const Shape& where, const Paint& paint) {
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      const size_t c = cell(sheet, x, y);
      const Point p = PixelCentre(sheet, x, y);
      if (sheet.inside[c] && where(p)) sheet.colour[c] = paint(p);
    }
  }
}

void Fill(Sheet& sheet, const Shape& where, Rgb colour) {
  Fill(sheet, where, [colour](Point) { return colour; });
}

void PuffShade(Sheet& sheet, double roundness) {
  // The surface: a quarter circle rising from the outline to roundness pixels
  // high, smoothed so that the pixel steps of the distances do not show.
  std::vector<double> height(sheet.inside.size(), 0.0);
  for (size_t c = 0; c < height.size(); ++c) {
    if (!sheet.inside[c]) continue;
    const double q = std::min(sheet.edgeDistance[c] / roundness, 1.0);
    height[c] = roundness * std::sqrt(1.0 - (1.0 - q) * (1.0 - q));
  }
  for (int pass = 0; pass < 2; ++pass) {
    boxBlur(sheet, height, true);
    boxBlur(sheet, height, false);
  }
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      const size_t c = cell(sheet, x, y);
      if (!sheet.inside[c]) continue;
      const double gx = (heightAt(sheet, height, x + 1, y) - heightAt(sheet, height, x - 1, y)) / 2;
      const double gy = (heightAt(sheet, height, x, y + 1) - heightAt(sheet, height, x, y - 1)) / 2;
      sheet.colour[c] = Scaled(sheet.colour[c], kAmbient + kDiffuse * LightOn(-gx, -gy, 1.0));
    }
  }
}

void Outline(Sheet& sheet, double width, Rgb colour) {
  for (size_t c = 0; c < sheet.inside.size(); ++c) {
    if (sheet.inside[c] && sheet.edgeDistance[c] <= width) sheet.colour[c] = colour;
  }
}

Bitmap ToBitmap(const Sheet& sheet) {
  Bitmap picture(sheet.width, sheet.height);
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      const size_t c = cell(sheet, x, y);
      picture.Row(y)[x] = RowPixel(sheet.inside[c] ? sheet.colour[c] : sheet.background);
    }
  }
  return picture;
}

Bitmap MirroredX(const Bitmap& picture) {
  Bitmap mirrored(picture.Width(), picture.Height());
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      mirrored.Row(y)[x] = picture.Row(y)[picture.Width() - 1 - x];
    }
  }
  return mirrored;
}

}  // namespace puffel::art
