#include "export/print_shells.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "anim/model_space.h"
#include "export/export_refusal.h"
#include "export/parallel_tasks.h"

namespace puffel {

namespace {

constexpr const char* FlatMessage = "高さのない形は印刷用に書き出せません！";
constexpr const char* NoFaceMessage = "書き出せる面がありません！";

using Vertex = std::array<float, 3>;

// Front and back model-space points of a part's vertices, bent as the view
// draws them.
using PartPoints = std::array<std::vector<Point3>, 2>;

PartPoints modelPoints(const Scene& scene, const FigureModel& model, const FigurePart& part) {
  const PartMesh mesh(scene, part.slot);
  PartPoints points;
  for (int s = 0; s < 2; ++s) {
    const Side side = s == 0 ? Side::Front : Side::Back;
    points[s].reserve(part.vertices.size());
    for (const GridVertex v : part.vertices) {
      points[s].push_back(
          ModelPoint(PosedPoint(model, part, mesh, v, side), scene.ViewWidth, scene.ViewHeight));
    }
  }
  return points;
}

// Model space to the printer's millimetres, z up.
struct Placement {
  double scale = 1;
  Point3 centre;  // its y is the figure's lowest point

  Vertex operator()(const Point3& m) const {
    // Adding 0 turns -0 into 0, so that equal points have equal bits.
    return {static_cast<float>((m.x - centre.x) * scale) + 0.0f,
            static_cast<float>(-(m.z - centre.z) * scale) + 0.0f,
            static_cast<float>((m.y - centre.y) * scale) + 0.0f};
  }
};

Placement placementOf(const std::vector<PartPoints>& points, double height) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  Point3 low{inf, inf, inf};
  Point3 high{-inf, -inf, -inf};
  for (const PartPoints& part : points) {
    for (const std::vector<Point3>& side : part) {
      for (const Point3& p : side) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
      }
    }
  }
  const double scale = height / (high.y - low.y);
  // So flat a figure would be scaled beyond what a float holds.
  const double widest = std::max(high.x - low.x, high.z - low.z) * scale;
  if (!(high.y > low.y) || !std::isfinite(scale) || !(scale > 0) ||
      !(widest <= std::numeric_limits<float>::max())) {
    throw ExportRefusal(FlatMessage);
  }
  return {scale, {(low.x + high.x) / 2, low.y, (low.z + high.z) / 2}};
}

struct VertexHash {
  size_t operator()(const Vertex& v) const {
    size_t h = 0;
    for (const float f : v) h = h * 1000003u ^ std::hash<float>()(f);
    return h;
  }
};

// A corner of a triangle before joining: a part vertex on one surface.
struct Corner {
  uint32_t vertex;
  int side;  // 0 front, 1 back
};

struct LooseTriangle {
  std::array<Corner, 3> corners;
  int picture;  // 0 front, 1 back
};

uint64_t edgeKey(uint32_t u, uint32_t v) { return uint64_t{u} << 32 | v; }

// The triangles of both surfaces and, along every edge of the front that no
// other front triangle runs along the other way, the wall from the front
// surface to the back: where the rim vertices lie on both surfaces at once
// the wall has no width and falls away when the points are joined, but where
// a cell inside the silhouette meets one outside (at the grid's cleared
// border, or across a stroke thinner than the cells) the surfaces stand
// apart. source[n] is the front triangle that made triangle n.
std::vector<LooseTriangle> looseTriangles(const std::vector<std::array<uint32_t, 3>>& front,
                                          std::vector<uint32_t>& source) {
  std::vector<LooseTriangle> loose;
  loose.reserve(2 * front.size() + 64);
  source.clear();
  std::unordered_set<uint64_t> edges;
  edges.reserve(3 * front.size());
  for (uint32_t n = 0; n < front.size(); ++n) {
    const auto& t = front[n];
    loose.push_back({{{{t[0], 0}, {t[1], 0}, {t[2], 0}}}, 0});
    source.push_back(n);
    for (int e = 0; e < 3; ++e) edges.insert(edgeKey(t[e], t[(e + 1) % 3]));
  }
  for (uint32_t n = 0; n < front.size(); ++n) {
    const auto& t = front[n];
    loose.push_back({{{{t[0], 1}, {t[2], 1}, {t[1], 1}}}, 1});
    source.push_back(n);
  }
  for (uint32_t n = 0; n < front.size(); ++n) {
    const auto& t = front[n];
    for (int e = 0; e < 3; ++e) {
      const uint32_t u = t[e];
      const uint32_t v = t[(e + 1) % 3];
      if (edges.count(edgeKey(v, u))) continue;
      // The quadrilateral front v, front u, back u, back v runs along the
      // front's edge and the back's the other way.
      loose.push_back({{{{v, 0}, {u, 0}, {u, 1}}}, 0});
      loose.push_back({{{{v, 0}, {u, 1}, {v, 1}}}, 0});
      source.insert(source.end(), {n, n});
    }
  }
  return loose;
}

struct JoinedTriangle {
  std::array<uint32_t, 3> corners;  // joined points
  uint32_t loose;                   // the loose triangle it is
};

// The loose triangles over the joined points, those with two equal corners
// left out.
std::vector<JoinedTriangle> joinedTriangles(const std::vector<LooseTriangle>& loose,
                                            const std::array<std::vector<uint32_t>, 2>& ids) {
  std::vector<JoinedTriangle> joined;
  joined.reserve(loose.size());
  for (uint32_t n = 0; n < loose.size(); ++n) {
    std::array<uint32_t, 3> c;
    for (int k = 0; k < 3; ++k) c[k] = ids[loose[n].corners[k].side][loose[n].corners[k].vertex];
    if (c[0] != c[1] && c[1] != c[2] && c[2] != c[0]) joined.push_back({c, n});
  }
  return joined;
}

// Whether each front triangle made a joined triangle that runs along an edge
// the same way as an earlier one. That happens where the silhouette is
// pinched to nothing: two rim vertices joined by an edge inside it, where
// front and back touch along a line, or cells meeting corner to corner
// inside it, whose walls would run up the same edge.
std::vector<char> crossingFronts(const std::vector<JoinedTriangle>& joined,
                                 const std::vector<uint32_t>& source, size_t fronts) {
  std::vector<char> crossing(fronts, 0);
  std::unordered_set<uint64_t> edges;
  edges.reserve(3 * joined.size());
  for (const JoinedTriangle& t : joined) {
    for (int e = 0; e < 3; ++e) {
      if (!edges.insert(edgeKey(t.corners[e], t.corners[(e + 1) % 3])).second) {
        crossing[source[t.loose]] = 1;
      }
    }
  }
  return crossing;
}

uint32_t texelAt(const Bitmap& picture, double x, double y) {
  const auto clamped = [](double c, int size) {
    return static_cast<int>(std::clamp(std::floor(c), 0.0, size - 1.0));
  };
  return picture.Row(clamped(y, picture.Height()))[clamped(x, picture.Width())] & 0xFFFFFF;
}

PrintShell shellOf(const Scene& scene, const FigurePart& part, const PartPoints& surfacePoints,
                   const Placement& place) {
  PrintShell shell;
  shell.name = part.name;
  const size_t count = part.vertices.size();
  // Every surface point joined with the points equal to it once placed.
  std::unordered_map<Vertex, uint32_t, VertexHash> points;
  points.reserve(2 * count);
  std::vector<Vertex> distinct;
  std::array<std::vector<uint32_t>, 2> ids;
  for (int s = 0; s < 2; ++s) ids[s].resize(count);
  for (size_t n = 0; n < count; ++n) {
    for (int s = 0; s < 2; ++s) {
      const Vertex v = place(surfacePoints[s][n]);
      const auto [at, added] = points.try_emplace(v, static_cast<uint32_t>(distinct.size()));
      if (added) distinct.push_back(v);
      ids[s][n] = at->second;
    }
  }
  const PartMesh mesh(scene, part.slot);
  const std::array<const Bitmap*, 2> pictures = {&scene.PartPicture[part.slot],
                                                 &scene.PartBackPicture[part.slot]};
  // The front triangles that make the shell cross itself are left out until
  // none is left.
  std::vector<std::array<uint32_t, 3>> front = SurfacesOf(scene, part).triangles;
  std::vector<uint32_t> source;
  std::vector<LooseTriangle> loose = looseTriangles(front, source);
  std::vector<JoinedTriangle> joinedShell = joinedTriangles(loose, ids);
  for (std::vector<char> crossing = crossingFronts(joinedShell, source, front.size());
       std::find(crossing.begin(), crossing.end(), 1) != crossing.end();
       crossing = crossingFronts(joinedShell, source, front.size())) {
    size_t kept = 0;
    for (size_t n = 0; n < front.size(); ++n) {
      if (!crossing[n]) front[kept++] = front[n];
    }
    front.resize(kept);
    loose = looseTriangles(front, source);
    joinedShell = joinedTriangles(loose, ids);
  }
  // Vertices are numbered anew in the order the triangles use them.
  std::vector<uint32_t> used(distinct.size(), std::numeric_limits<uint32_t>::max());
  shell.triangles.reserve(joinedShell.size());
  for (JoinedTriangle& t : joinedShell) {
    double u = 0;
    double v = 0;
    for (const Corner& corner : loose[t.loose].corners) {
      const Point2 texture = mesh.Texture(part.vertices[corner.vertex]);
      u += texture.x;
      v += texture.y;
    }
    for (uint32_t& corner : t.corners) {
      if (used[corner] == std::numeric_limits<uint32_t>::max()) {
        used[corner] = static_cast<uint32_t>(shell.vertices.size());
        shell.vertices.push_back(distinct[corner]);
      }
      corner = used[corner];
    }
    shell.triangles.push_back(
        {t.corners, texelAt(*pictures[loose[t.loose].picture], u / 3, v / 3)});
  }
  return shell;
}

}  // namespace

std::vector<PrintShell> PrintShells(const Scene& scene, const FigureModel& model, double height) {
  std::vector<PartPoints> points(model.parts.size());
  RunTasks(points.size(), [&](size_t n) { points[n] = modelPoints(scene, model, model.parts[n]); });
  const Placement place = placementOf(points, height);
  std::vector<PrintShell> shells(model.parts.size());
  RunTasks(shells.size(), [&](size_t n) {
    if (!model.parts[n].vertices.empty()) {
      shells[n] = shellOf(scene, model.parts[n], points[n], place);
    }
  });
  std::erase_if(shells, [](const PrintShell& shell) { return shell.triangles.empty(); });
  if (shells.empty()) throw ExportRefusal(NoFaceMessage);
  return shells;
}

}  // namespace puffel
