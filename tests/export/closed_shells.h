// What makes a mesh printable, checked on its corner points alone: joined
// where they are equal, every edge has exactly two triangles running along it
// in opposite directions, no triangle has two equal corners or no area, and
// each connected shell encloses a positive volume.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <numeric>
#include <string>
#include <vector>

namespace puffel::test {

using Corners = std::array<std::array<float, 3>, 3>;

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
  // Shells: triangles joined through shared points.
  std::vector<uint32_t> root(ids.size());
  std::iota(root.begin(), root.end(), 0);
  const auto find = [&](uint32_t v) {
    while (root[v] != v) v = root[v] = root[root[v]];
    return v;
  };
  std::map<std::pair<uint32_t, uint32_t>, int> directed;
  for (size_t n = 0; n < faces.size(); ++n) {
    const auto& f = faces[n];
    if (f[0] == f[1] || f[1] == f[2] || f[2] == f[0]) return "a triangle with equal corners";
    const auto& p = triangles[n];
    const double e[3] = {double{p[1][0]} - p[0][0], double{p[1][1]} - p[0][1],
                         double{p[1][2]} - p[0][2]};
    const double g[3] = {double{p[2][0]} - p[0][0], double{p[2][1]} - p[0][1],
                         double{p[2][2]} - p[0][2]};
    if (e[1] * g[2] - e[2] * g[1] == 0 && e[2] * g[0] - e[0] * g[2] == 0 &&
        e[0] * g[1] - e[1] * g[0] == 0) {
      return "a triangle without area";
    }
    for (int c = 0; c < 3; ++c) {
      if (++directed[{f[c], f[(c + 1) % 3]}] > 1) return "an edge run along twice the same way";
      root[find(f[c])] = find(f[(c + 1) % 3]);
    }
  }
  for (const auto& [edge, count] : directed) {
    if (!directed.count({edge.second, edge.first})) return "an edge with one triangle";
  }
  // Six times each shell's signed volume: the sum of its triangles' triple
  // products.
  std::map<uint32_t, double> volume;
  for (size_t n = 0; n < faces.size(); ++n) {
    const auto& p = triangles[n];
    const double triple =
        double{p[0][0]} * (double{p[1][1]} * p[2][2] - double{p[1][2]} * p[2][1]) -
        double{p[0][1]} * (double{p[1][0]} * p[2][2] - double{p[1][2]} * p[2][0]) +
        double{p[0][2]} * (double{p[1][0]} * p[2][1] - double{p[1][1]} * p[2][0]);
    volume[find(faces[n][0])] += triple;
  }
  for (const auto& [shell, sixfold] : volume) {
    if (volumes) {
      volumes->push_back(sixfold / 6);
    } else if (!(sixfold > 0)) {
      return "a shell without positive volume";
    }
  }
  return "";
}

}  // namespace puffel::test
