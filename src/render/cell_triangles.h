// The two triangles of a grid cell, as the render pass draws them.
#pragma once

#include <array>

#include "render/triangle_side.h"

namespace puffel {

// A triangle drawn as a, b, c, whose side normal is formed from normalA,
// normalV0 and normalC (TriangleNormal): the same three vertices in the
// order that makes the normal of a flat front surface point at the viewer.
struct CellTriangle {
  GridVertex a, b, c;
  GridVertex normalA, normalV0, normalC;
};

// Cell (i, j), the quadrilateral between grid vertices i..i+1 and j..j+1,
// first triangle then second; the diagonal alternates with the parity of j, as
// the builder's grid does.
inline std::array<CellTriangle, 2> CellTriangles(int i, int j) {
  if (j % 2 == 0) {
    return {{{{i, j}, {i, j + 1}, {i + 1, j + 1}, {i, j}, {i, j + 1}, {i + 1, j + 1}},
             {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i + 1, j + 1}, {i + 1, j}, {i, j}}}};
  }
  return {{{{i, j}, {i + 1, j}, {i, j + 1}, {i + 1, j}, {i, j}, {i, j + 1}},
           {{i + 1, j}, {i, j + 1}, {i + 1, j + 1}, {i, j + 1}, {i + 1, j + 1}, {i + 1, j}}}};
}

}  // namespace puffel
