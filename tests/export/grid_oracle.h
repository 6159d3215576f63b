// The visible triangles of a part as the design lays them out, written out
// here again so that the export is checked against the table, not against
// itself.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "scene/scene.h"
#include "render/triangle_side.h"

namespace puffel::test {

// A cell triangle: drawn as a, b, c; normal from (c - v0) x (a - v0) with the
// roles a', v0, c' of the design's table.
struct OracleTriangle {
  std::array<GridVertex, 3> drawn;
  GridVertex a, v0, c;
};

struct OracleSurface {
  std::vector<GridVertex> vertices;       // used ones, in order of i, then j
  std::vector<OracleTriangle> triangles;  // cells in order of i, then j
};

inline OracleSurface VisibleTriangles(const Scene& scene, int k) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const auto state = [&](GridVertex v) { return scene.GridState[k][v.i][v.j]; };
  OracleSurface out;
  std::map<std::pair<int, int>, bool> used;
  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) {
      std::array<OracleTriangle, 2> cell;
      if (j % 2 == 0) {
        cell = {OracleTriangle{
                    {{{i, j}, {i, j + 1}, {i + 1, j + 1}}}, {i, j}, {i, j + 1}, {i + 1, j + 1}},
                OracleTriangle{
                    {{{i, j}, {i + 1, j}, {i + 1, j + 1}}}, {i + 1, j + 1}, {i + 1, j}, {i, j}}};
      } else {
        cell = {OracleTriangle{{{{i, j}, {i + 1, j}, {i, j + 1}}}, {i + 1, j}, {i, j}, {i, j + 1}},
                OracleTriangle{{{{i + 1, j}, {i, j + 1}, {i + 1, j + 1}}},
                               {i, j + 1},
                               {i + 1, j + 1},
                               {i + 1, j}}};
      }
      for (const OracleTriangle& t : cell) {
        bool outside = false;
        bool inside = false;
        for (const GridVertex& v : t.drawn) {
          outside = outside || state(v) <= 0;
          inside = inside || state(v) > 1;
        }
        if (outside || !inside) continue;
        out.triangles.push_back(t);
        for (const GridVertex& v : t.drawn) used[{v.i, v.j}] = true;
      }
    }
  }
  for (const auto& [ij, on] : used) out.vertices.push_back({ij.first, ij.second});
  return out;
}

}  // namespace puffel::test
