#include "render/triangle_side.h"

#include "platform/canvas.h"
#include "platform/numeric.h"

namespace puffel {

std::array<const Table3D<double>*, PartMesh::FieldCount> PartMesh::tables(const Scene& scene) {
  return {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX,
          &scene.BackY,     &scene.BackZ,  &scene.TexU,   &scene.TexV};
}

PartMesh::PartMesh(const Scene& scene, int part)
    : part_(part), strideI_(scene.GridState.Size3()), strideJ_(1) {
  const auto all = tables(scene);
  for (int f = 0; f < FieldCount; ++f) field_[f] = (*all[f])[part][0];
}

PartMesh::PartMesh(const Scene& scene, int part, int columns, int jFirst, int jLast,
                   std::vector<double>& rows)
    : part_(part), j0_(jFirst), strideI_(1), strideJ_(columns) {
  const size_t rowCount = jLast - jFirst + 1;
  const size_t fieldSize = rowCount * columns;
  rows.resize(FieldCount * fieldSize);
  const size_t tableStride = scene.GridState.Size3();
  const auto all = tables(scene);
  for (int f = 0; f < FieldCount; ++f) {
    const double* table = (*all[f])[part][0];
    double* copy = rows.data() + f * fieldSize;
    for (int i = 0; i < columns; ++i) {
      const double* run = table + static_cast<size_t>(i) * tableStride + jFirst;
      for (size_t r = 0; r < rowCount; ++r) copy[r * columns + i] = run[r];
    }
    field_[f] = copy;
  }
}

void DrawTriangleOutline(Bitmap& view, const TriangleSide& side) {
  const IntPoint corners[] = {{TruncInt(side.view[0].x), TruncInt(side.view[0].y)},
                              {TruncInt(side.view[1].x), TruncInt(side.view[1].y)},
                              {TruncInt(side.view[2].x), TruncInt(side.view[2].y)}};
  Polygon(view, corners);
}

}  // namespace puffel
