#include "export/figure_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "anim/model_space.h"
#include "export/export_refusal.h"
#include "export/parallel_tasks.h"
#include "export/part_names.h"
#include "render/cell_triangles.h"
#include "render/cell_walk.h"
#include "render/render_scene.h"

namespace puffel {

namespace {

constexpr const char* NoPartMessage = "まだ画像を読み込んでいません！";
constexpr const char* NoFaceMessage = "書き出せる面がありません！";
constexpr const char* BrokenMessage = "姿勢か形が壊れているため書き出せません！";

constexpr uint32_t Unused = std::numeric_limits<uint32_t>::max();

// The part's parent by ParentMatrix: the first lower part its row links to.
Point3 plus(const Point3& a, const Point3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

Point3 unit(const Point3& v, const Point3& fallback) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (!(length > 0) || !std::isfinite(length)) return fallback;
  return {v.x / length, v.y / length, v.z / length};
}

// Fits a 32-bit float, as the model files store it.
bool storable(double value) { return std::abs(value) <= std::numeric_limits<float>::max(); }

bool storable(const Point3& p) { return storable(p.x) && storable(p.y) && storable(p.z); }

// The visible triangles of part k's cells in order, as their normal vertices
// a', v0, c'.
std::vector<std::array<GridVertex, 3>> visibleTriangles(const Scene& scene, int k,
                                                        const WalkPlan& plan) {
  std::vector<std::array<GridVertex, 3>> visible;
  // At most every triangle of every cell: one block, never copied to grow.
  visible.reserve(2 * static_cast<size_t>(std::max(plan.nx - 1, 0)) * std::max(plan.ny - 1, 0));
  const PartMesh mesh(scene, k);
  for (int i = 1; i <= plan.nx - 1; ++i) {
    for (int j = 1; j <= plan.ny - 1; ++j) {
      for (const CellTriangle& t : CellTriangles(i, j)) {
        if (TriangleVisible(mesh, t.a, t.b, t.c))
          visible.push_back({t.normalA, t.normalV0, t.normalC});
      }
    }
  }
  return visible;
}

// Where each grid vertex of the plan's part is in the part's vertices.
class VertexIndex {
 public:
  explicit VertexIndex(const WalkPlan& plan)
      : rows_(plan.ny + 1), index_(static_cast<size_t>(plan.nx + 1) * rows_, Unused) {}
  uint32_t& operator[](GridVertex v) { return index_[static_cast<size_t>(v.i) * rows_ + v.j]; }

 private:
  int rows_;
  std::vector<uint32_t> index_;
};

// Finds the part's vertices: those of its visible triangles, in grid order.
void takeVertices(const Scene& scene, FigurePart& part) {
  const WalkPlan plan = PlanWalk(scene, part.slot);
  part.binding = plan.binding;
  if (plan.lines == 0) return;
  const auto visible = visibleTriangles(scene, part.slot, plan);
  VertexIndex at(plan);
  for (const auto& triangle : visible) {
    for (const GridVertex v : triangle) at[v] = 0;
  }
  for (int i = 0; i <= plan.nx; ++i) {
    for (int j = 0; j <= plan.ny; ++j) {
      if (at[{i, j}] != Unused) part.vertices.push_back({i, j});
    }
  }
  part.triangleCount = visible.size();
}

// Whether every vertex of part lands on a storable model-space point, both
// posed and at rest, with a storable texture position.
bool storableVertices(const Scene& scene, const FigurePart& part) {
  const PartMesh mesh(scene, part.slot);
  for (const GridVertex v : part.vertices) {
    const Point2 uv = TextureCoordinate(mesh, scene.PartPicture[part.slot], v);
    if (!storable(uv.x) || !storable(uv.y)) return false;
    for (const Side side : {Side::Front, Side::Back}) {
      for (const Frame* frame : {&part.frame, &part.restFrame}) {
        const Point3 view = ToView(*frame, mesh.Point(v, side));
        if (!storable(ModelPoint(view, scene.ViewWidth, scene.ViewHeight))) return false;
      }
    }
  }
  return true;
}

int pictureIndex(FigureModel& model, const Bitmap& picture) {
  for (size_t p = 0; p < model.pictures.size(); ++p) {
    if (*model.pictures[p] == picture) return static_cast<int>(p);
  }
  model.pictures.push_back(&picture);
  return static_cast<int>(model.pictures.size() - 1);
}

}  // namespace

FigureModel BuildFigureModel(const Scene& scene) {
  if (scene.PartCount < 1) throw ExportRefusal(NoPartMessage);
  FigureModel model;
  model.viewWidth = scene.ViewWidth;
  model.viewHeight = scene.ViewHeight;
  const std::vector<std::string> names = PartNames(scene);
  model.parts.resize(scene.PartCount);
  std::vector<char> broken(scene.PartCount, 0);
  RunTasks(model.parts.size(), [&](size_t n) {
    const int k = static_cast<int>(n);
    FigurePart& part = model.parts[n];
    part.slot = k;
    part.name = names[k];
    part.parent = JointParent(scene, k);
    part.restFrame = ResetFrame(scene.PartPosX[k], scene.PartPosY[k]);
    part.frame = ShownFrame(scene, k);
    const auto pose = PoseOfFrame(part.frame, scene.ViewWidth, scene.ViewHeight);
    const auto rest = PoseOfFrame(part.restFrame, scene.ViewWidth, scene.ViewHeight);
    if (!pose || !rest) {
      broken[n] = 1;
      return;
    }
    part.pose = *pose;
    part.rest = *rest;
    takeVertices(scene, part);
    const Bitmap& front = scene.PartPicture[k];
    const Bitmap& back = scene.PartBackPicture[k];
    if (!part.vertices.empty() &&
        (front.Empty() || back.Width() != front.Width() || back.Height() != front.Height() ||
         !storableVertices(scene, part))) {
      broken[n] = 1;
    }
  });
  if (std::find(broken.begin(), broken.end(), 1) != broken.end()) {
    throw ExportRefusal(BrokenMessage);
  }
  bool anyFace = false;
  for (FigurePart& part : model.parts) {
    if (part.vertices.empty()) continue;
    part.pictures = {pictureIndex(model, scene.PartPicture[part.slot]),
                     pictureIndex(model, scene.PartBackPicture[part.slot])};
    anyFace = true;
  }
  if (!anyFace) throw ExportRefusal(NoFaceMessage);
  return model;
}

PartSurfaces SurfacesOf(const Scene& scene, const FigurePart& part) {
  PartSurfaces surfaces;
  if (part.vertices.empty()) return surfaces;
  const WalkPlan plan = PlanWalk(scene, part.slot);
  const PartMesh mesh(scene, part.slot);
  VertexIndex at(plan);
  for (size_t n = 0; n < part.vertices.size(); ++n) at[part.vertices[n]] = static_cast<uint32_t>(n);
  const auto visible = visibleTriangles(scene, part.slot, plan);

  // (c - v0) x (a - v0) is the outward side normal of the front; the back
  // side's normal is its opposite, and the back winds the other way round.
  surfaces.triangles.reserve(visible.size());
  for (const auto& [a, v0, c] : visible) surfaces.triangles.push_back({at[v0], at[c], at[a]});
  for (const Side side : {Side::Front, Side::Back}) {
    std::vector<Point3> sums(part.vertices.size());
    for (size_t n = 0; n < visible.size(); ++n) {
      const auto& [a, v0, c] = visible[n];
      const Point3 normal = TriangleNormal(mesh, a, v0, c, side);
      for (const uint32_t v : surfaces.triangles[n]) sums[v] = plus(sums[v], normal);
    }
    const Point3 outward{0, 0, side == Side::Front ? -1.0 : 1.0};
    auto& normals = surfaces.normals[side == Side::Front ? 0 : 1];
    normals.reserve(sums.size());
    for (const Point3& sum : sums) {
      const Point3 n = unit(sum, outward);
      normals.push_back(
          {static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z)});
    }
  }
  return surfaces;
}

}  // namespace puffel
