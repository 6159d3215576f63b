#include "scene/attachment.h"

#include <cmath>

namespace puffel {

int AttachmentRoot(const Scene& scene, int j) {
  // A parent always has a lower slot than its child, so the lowest ancestor
  // is the root of the part's tree.
  for (int b = 0; b < scene.PartCount; ++b) {
    if (scene.AncestorMatrix[j + 1][b + 1] != 0) return b;
  }
  return j;
}

Point3 AttachmentShift(const Scene& scene, int j) {
  const int root = AttachmentRoot(scene, j);
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

}  // namespace puffel
