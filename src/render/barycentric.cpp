#include "render/barycentric.h"

namespace puffel {

Weights BarycentricWeights(Point2 a, Point2 b, Point2 c, Point2 p) {
  const Point2 e1{b.x - a.x, b.y - a.y};
  const Point2 e2{c.x - a.x, c.y - a.y};
  const Point2 d{p.x - a.x, p.y - a.y};
  const double det = e1.x * e2.y - e2.x * e1.y;
  if (det == 0) return {-1, -1};
  return {(d.x * e2.y - e2.x * d.y) / det, (e1.x * d.y - d.x * e1.y) / det};
}

}  // namespace puffel
