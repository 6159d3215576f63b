#include "render/onion_outline.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/canvas.h"
#include "render/cell_walk.h"
#include "render/render_scene.h"

namespace puffel {

namespace {

// The line from a to b, each of its pixels where no part was drawn.
void lineBehind(const Scene& scene, Bitmap& target, const Point3& a, const Point3& b,
                uint32_t colour) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double longest = std::max(std::abs(dx), std::abs(dy));
  if (!std::isfinite(longest)) return;
  const int steps = static_cast<int>(std::ceil(longest));
  for (int n = 0; n <= steps; ++n) {
    const double t = steps == 0 ? 0 : static_cast<double>(n) / steps;
    const int x = static_cast<int>(std::floor(a.x + t * dx));
    const int y = static_cast<int>(std::floor(a.y + t * dy));
    if (x < 0 || y < 0 || x >= std::min(target.Width(), scene.OwnerBuffer.Width()) ||
        y >= std::min(target.Height(), scene.OwnerBuffer.Height())) {
      continue;
    }
    if (scene.OwnerBuffer(x, y) == -1) SetCanvasPixel(target, x, y, colour);
  }
}

}  // namespace

void DrawOnionOutline(Scene& scene, const std::array<Frame, MaxParts>& frames, uint32_t colour,
                      Bitmap& target) {
  const std::array<Frame, MaxParts> posed = scene.PartFrame;
  const std::array<Frame, MaxParts> rendered = scene.RenderFrame;
  scene.PartFrame = frames;
  BuildRenderFrames(scene);
  std::vector<std::vector<TriangleSide>> lines;
  std::vector<std::vector<TriangleSide>*> out;
  for (int k = 0; k < scene.PartCount; ++k) {
    const WalkPlan plan = PlanWalk(scene, k);
    lines.assign(static_cast<size_t>(plan.lines), {});
    out.clear();
    for (std::vector<TriangleSide>& line : lines) out.push_back(&line);
    WalkLines(scene, plan, 0, out);
    for (const std::vector<TriangleSide>& line : lines) {
      for (const TriangleSide& side : line) {
        for (int c = 0; c < 3; ++c) {
          lineBehind(scene, target, side.view[c], side.view[(c + 1) % 3], colour);
        }
      }
    }
  }
  scene.PartFrame = posed;
  scene.RenderFrame = rendered;
}

}  // namespace puffel
