#include "export/figure_model.h"

#include <cmath>
#include <limits>

#include "export/export_refusal.h"
#include "export/model_space.h"
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
int parentOf(const Scene& scene, int k) {
  for (int p = 0; p < k; ++p) {
    if (scene.ParentMatrix[k + 1][p + 1] != 0) return p;
  }
  return -1;
}

Point3 plus(const Point3& a, const Point3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

Point3 unit(const Point3& v, const Point3& fallback) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (!(length > 0) || !std::isfinite(length)) return fallback;
  return {v.x / length, v.y / length, v.z / length};
}

// Fits a 32-bit float, as the model files store it.
bool storable(double value) { return std::abs(value) <= std::numeric_limits<float>::max(); }

bool storable(const Point3& p) { return storable(p.x) && storable(p.y) && storable(p.z); }

// Collects the part's visible triangles, its vertices and both surfaces.
void takeSurfaces(const Scene& scene, FigurePart& part) {
  const WalkPlan plan = PlanWalk(scene, part.slot);
  if (plan.lines == 0) return;
  const PartMesh mesh(scene, part.slot);
  const int rows = plan.ny + 1;
  std::vector<uint32_t> index(static_cast<size_t>(plan.nx + 1) * rows, Unused);
  const auto at = [&](GridVertex v) -> uint32_t& {
    return index[static_cast<size_t>(v.i) * rows + v.j];
  };
  const auto eachVisible = [&](const auto& take) {
    for (int i = 1; i <= plan.nx - 1; ++i) {
      for (int j = 1; j <= plan.ny - 1; ++j) {
        for (const CellTriangle& t : CellTriangles(i, j)) {
          if (TriangleVisible(mesh, t.a, t.b, t.c)) take(t);
        }
      }
    }
  };

  eachVisible([&](const CellTriangle& t) { at(t.a) = at(t.b) = at(t.c) = 0; });
  for (int i = 0; i <= plan.nx; ++i) {
    for (int j = 0; j <= plan.ny; ++j) {
      if (at({i, j}) == Unused) continue;
      at({i, j}) = static_cast<uint32_t>(part.vertices.size());
      part.vertices.push_back({i, j});
    }
  }

  for (const Side side : {Side::Front, Side::Back}) {
    FigureSurface& surface = part.surfaces[side == Side::Front ? 0 : 1];
    surface.side = side;
    std::vector<Point3> sums(part.vertices.size());
    eachVisible([&](const CellTriangle& t) {
      const uint32_t v0 = at(t.normalV0);
      const uint32_t a = at(t.normalA);
      const uint32_t c = at(t.normalC);
      // (c - v0) x (a - v0) is the outward side normal of the front; the back
      // side's normal is its opposite, wound the other way round.
      surface.triangles.push_back(side == Side::Front ? std::array{v0, c, a}
                                                      : std::array{v0, a, c});
      const Point3 n = TriangleNormal(mesh, t.normalA, t.normalV0, t.normalC, side);
      for (const uint32_t v : {v0, a, c}) sums[v] = plus(sums[v], n);
    });
    const Point3 outward{0, 0, side == Side::Front ? -1.0 : 1.0};
    surface.normals.reserve(sums.size());
    for (const Point3& sum : sums) surface.normals.push_back(unit(sum, outward));
  }
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
  bool anyFace = false;
  for (int k = 0; k < scene.PartCount; ++k) {
    FigurePart part;
    part.slot = k;
    part.name = names[k];
    part.parent = parentOf(scene, k);
    part.restFrame = ResetFrame(scene.PartPosX[k], scene.PartPosY[k]);
    part.frame = part.restFrame;
    if (scene.View3D) {
      // The render pass places the part by its frame after the attachment step.
      part.frame = scene.PartFrame[k];
      const Point3 shift = AttachmentShift(scene, k);
      TranslateFrame(part.frame, shift.x, shift.y, shift.z);
    }
    const auto pose = PoseOfFrame(part.frame, scene.ViewWidth, scene.ViewHeight);
    const auto rest = PoseOfFrame(part.restFrame, scene.ViewWidth, scene.ViewHeight);
    if (!pose || !rest) throw ExportRefusal(BrokenMessage);
    part.pose = *pose;
    part.rest = *rest;

    takeSurfaces(scene, part);
    if (!part.vertices.empty()) {
      const Bitmap& front = scene.PartPicture[k];
      const Bitmap& back = scene.PartBackPicture[k];
      if (front.Empty() || back.Width() != front.Width() || back.Height() != front.Height() ||
          !storableVertices(scene, part)) {
        throw ExportRefusal(BrokenMessage);
      }
      part.surfaces[0].picture = pictureIndex(model, front);
      part.surfaces[1].picture = pictureIndex(model, back);
      anyFace = true;
    }
    model.parts.push_back(std::move(part));
  }
  if (!anyFace) throw ExportRefusal(NoFaceMessage);
  return model;
}

}  // namespace puffel
