#include "render/triangle_side.h"

#include "platform/canvas.h"
#include "platform/numeric.h"

namespace puffel {

std::array<const Table3D<double>*, PartMesh::FieldCount> PartMesh::tables(const Scene& scene) {
  return {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX,
          &scene.BackY,     &scene.BackZ,  &scene.TexU,   &scene.TexV};
}

PartMesh::PartMesh(const Scene& scene, int part) : part_(part), strideI_(scene.GridState.Size3()) {
  const auto all = tables(scene);
  for (int f = 0; f < FieldCount; ++f) field_[f] = (*all[f])[part][0];
}

void DrawTriangleOutline(Bitmap& view, const TriangleSide& side) {
  const IntPoint corners[] = {{TruncInt(side.view[0].x), TruncInt(side.view[0].y)},
                              {TruncInt(side.view[1].x), TruncInt(side.view[1].y)},
                              {TruncInt(side.view[2].x), TruncInt(side.view[2].y)}};
  Polygon(view, corners);
}

}  // namespace puffel
