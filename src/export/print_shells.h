// The posed figure as closed shells for a printer: every part's front and
// back surface joined by a wall where the rim leaves them apart, in
// millimetres, standing on the plate, with a colour per triangle.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "export/figure_model.h"
#include "export/print_height.h"
#include "scene/scene.h"

namespace puffel {

struct PrintTriangle {
  std::array<uint32_t, 3> corners;  // indices into the shell's vertices
  uint32_t colour = 0;              // 0x00RRGGBB
};

// One part's closed shell: every edge is shared by exactly two triangles,
// which run along it in opposite directions, and no triangle has two equal
// corners. Vertices are distinct points, each used by a triangle.
struct PrintShell {
  std::string name;
  std::vector<std::array<float, 3>> vertices;  // x, y, z millimetres, z up
  std::vector<PrintTriangle> triangles;        // counter-clockwise seen from outside
};

// The shells of model's parts with triangles (built from scene), in slot
// order: the 3D view's triangles of both surfaces, the walls, and none of
// the front triangles (with their backs and walls) that would make an edge
// run twice the same way where a part is pinched to nothing. Axes: x is the
// model's x, y the model's -z (away from the viewer), z the model's y (up);
// the figure is scaled so that its height is height millimetres, its lowest
// point at z 0 and its bounding box centred on x 0 and y 0. Each triangle's
// colour is the texel at the centroid of its corners' texture positions (in
// pixels, rounded down, clamped into the picture): in the back picture for
// back triangles, in the front picture for front and wall triangles. Throws
// ExportRefusal when the figure has no height, or no part keeps a triangle.
std::vector<PrintShell> PrintShells(const Scene& scene, const FigureModel& model, double height);

}  // namespace puffel
