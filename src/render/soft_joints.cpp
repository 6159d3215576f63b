#include "render/soft_joints.h"

#include <algorithm>
#include <cmath>

namespace puffel {

SoftBinding BindingOf(const Scene& scene, int k, int nx, int ny) {
  SoftBinding binding;
  if (!scene.SoftJoints || scene.JointReach < 1 || scene.JointReach > JointReachChoices) {
    return binding;
  }
  const int parent = JointParent(scene, k);
  if (parent < 0) return binding;
  const PartMesh mesh(scene, k);
  // The square root of the largest square is the largest root.
  double longest = 0;
  for (int i = 1; i <= nx; ++i) {
    for (int j = 1; j <= ny; ++j) {
      if (!(mesh.State({i, j}) > 0)) continue;
      for (const Side side : {Side::Front, Side::Back}) {
        const Point3 p = mesh.Point({i, j}, side);
        longest = std::max(longest, p.x * p.x + p.y * p.y);
      }
    }
  }
  const double reach = JointReachFractions[scene.JointReach - 1] * std::sqrt(longest);
  if (!(reach > 0) || !std::isfinite(reach)) return binding;
  binding.parent = parent;
  binding.reach = reach;
  binding.offset = {scene.PartPosX[k] - scene.PartPosX[parent],
                    scene.PartPosY[k] - scene.PartPosY[parent], 0};
  return binding;
}

}  // namespace puffel
