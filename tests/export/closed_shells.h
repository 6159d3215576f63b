// What makes a mesh printable, checked on its corner points alone: joined
// where they are equal, every edge has exactly two triangles running along it
// in opposite directions, no triangle has two equal corners or no area, and
// each connected shell encloses a positive volume. Also the triangles of a
// binary STL file and of print shells, to check.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "export/print_shells.h"

namespace puffel::test {

using Corners = std::array<std::array<float, 3>, 3>;

// The corners of every triangle of a binary STL file's bytes.
inline std::vector<Corners> StlTriangles(const std::string& stl) {
  std::vector<Corners> triangles(stl.size() < 84 ? 0 : (stl.size() - 84) / 50);
  for (size_t n = 0; n < triangles.size(); ++n) {
    std::memcpy(triangles[n].data(), stl.data() + 84 + 50 * n + 12, sizeof triangles[n]);
  }
  return triangles;
}

inline std::vector<Corners> ShellTriangles(const PrintShell& shell) {
  std::vector<Corners> triangles;
  for (const PrintTriangle& t : shell.triangles) {
    triangles.push_back(
        {shell.vertices[t.corners[0]], shell.vertices[t.corners[1]], shell.vertices[t.corners[2]]});
  }
  return triangles;
}

// The highest corner's z.
inline float Top(const std::vector<Corners>& triangles) {
  float top = 0;
  for (const Corners& t : triangles) {
    for (const auto& corner : t) top = std::max(top, corner[2]);
  }
  return top;
}

// "" when every shell of the triangles is closed as above, else the first
// fault found. With volumes, a shell's volume is not checked but given, one
// per shell.
inline std::string ClosedShellsFault(const std::vector<Corners>& triangles,
                                     std::vector<double>* volumes = nullptr) {
  std::map<std::array<float, 3>, uint32_t> ids;
  std::vector<std::array<uint32_t, 3>> faces;
  for (const Corners& t : triangles) {
    std::array<uint32_t, 3> face;
    for (int c = 0; c < 3; ++c) face[c] = ids.emplace(t[c], ids.size()).first->second;
    faces.push_back(face);
  }
  // Shells: triangles joined through shared points; each one's volume is a
  // sixth of the sum of its triangles' triple products.
  std::vector<uint32_t> root(ids.size());
  std::iota(root.begin(), root.end(), 0);
  const auto find = [&](uint32_t v) {
    while (root[v] != v) v = root[v] = root[root[v]];
    return v;
  };
  std::map<std::pair<uint32_t, uint32_t>, int> directed;
  std::vector<double> triple(faces.size());
  for (size_t n = 0; n < faces.size(); ++n) {
    const auto& f = faces[n];
    if (f[0] == f[1] || f[1] == f[2] || f[2] == f[0]) return "a triangle with equal corners";
    std::array<std::array<double, 3>, 3> p;
    for (int c = 0; c < 3; ++c) p[c] = {triangles[n][c][0], triangles[n][c][1], triangles[n][c][2]};
    const auto cross = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
      return std::array<double, 3>{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                                   a[0] * b[1] - a[1] * b[0]};
    };
    const auto area = cross({p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]},
                            {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]});
    if (area == std::array<double, 3>{0, 0, 0}) return "a triangle without area";
    const auto c12 = cross(p[1], p[2]);
    triple[n] = p[0][0] * c12[0] + p[0][1] * c12[1] + p[0][2] * c12[2];
    for (int c = 0; c < 3; ++c) {
      if (++directed[{f[c], f[(c + 1) % 3]}] > 1) return "an edge run along twice the same way";
      root[find(f[c])] = find(f[(c + 1) % 3]);
    }
  }
  for (const auto& [edge, count] : directed) {
    if (!directed.count({edge.second, edge.first})) return "an edge with one triangle";
  }
  std::map<uint32_t, double> volume;
  for (size_t n = 0; n < faces.size(); ++n) volume[find(faces[n][0])] += triple[n] / 6;
  for (const auto& [shell, v] : volume) {
    if (!volumes && !(v > 0)) return "a shell without positive volume";
    if (volumes) volumes->push_back(v);
  }
  return "";
}

}  // namespace puffel::test
