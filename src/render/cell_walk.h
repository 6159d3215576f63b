// The walk over a part's grid cells in its DrawOrder, one line of cells at a
// time: every triangle tested for visibility, then its front and back side
// each projected when it faces the viewer.
#pragma once

#include <span>
#include <vector>

#include "render/soft_joints.h"
#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel {

// The walk order of a part posed by frame, 1..4: cells farther along the frame
// axis that turns away from the viewer are drawn first.
int ChooseDrawOrder(const Frame& frame);

// Part k's walk: its cells 1..nx-1 x 1..ny-1 in lines, a row of cells j
// (DrawOrder 1 up, 2 down) or a column i (3 up, 4 down) each.
struct WalkPlan {
  int part = 0;
  int order = 1;  // the part's DrawOrder
  int nx = 0;
  int ny = 0;
  int lines = 0;        // 0 when the part has no cell
  SoftBinding binding;  // how its cells bend

  // The j (DrawOrder 1, 2) or i (3, 4) of the n-th line, 0 <= n < lines.
  int Line(int n) const {
    switch (order) {
      case 1:
        return 1 + n;
      case 2:
        return ny - 1 - n;
      case 3:
        return 1 + n;
      default:
        return nx - 1 - n;
    }
  }
};

// The walk of part k in the order ChooseDrawOrder gives, with its binding;
// never beyond the mesh tables, whatever grid size the slot claims.
WalkPlan PlanWalk(const Scene& scene, int k);

// Walks lines first..first+out.size()-1 of plan and appends the sides of line
// first+n that face the viewer to *out[n], each line's in walk order. The lines
// are walked side by side, so that the mesh tables are read along j.
void WalkLines(const Scene& scene, const WalkPlan& plan, int first,
               std::span<std::vector<TriangleSide>* const> out);

// Walks all of plan's cells in walk order and draws every side that faces the
// viewer at once as an outline (OutlineMode).
void DrawOutlines(Scene& scene, const WalkPlan& plan);

}  // namespace puffel
