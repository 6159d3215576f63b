#include "scene/scene.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

namespace puffel {

Frame ResetFrame(double x, double y) {
  return {{x, y, 0}, {x + 1, y, 0}, {x, y + 1, 0}, {x, y, 1}};
}

void ResetPoses(Scene& scene) {
  for (int k = 0; k < scene.PartCount; ++k) {
    scene.PartFrame[k] = ResetFrame(scene.PartPosX[k], scene.PartPosY[k]);
  }
}

void TranslateFrame(Frame& frame, double dx, double dy, double dz) {
  for (Point3* point : FramePoints(frame)) {
    point->x += dx;
    point->y += dy;
    point->z += dz;
  }
}

void TranslatePartFrame(Scene& scene, int k, double dx, double dy, double dz) {
  TranslateFrame(scene.PartFrame[k], dx, dy, dz);
}

void ResizeView(Scene& scene, int width, int height) {
  // The new view and buffers are made before anything changes, so that running
  // out of memory leaves the view as it was.
  Bitmap view = scene.ViewBitmap.Resized(width, height);
  ViewBuffer<double> depth = scene.DepthBuffer.Resized(width, height);
  ViewBuffer<int32_t> owner = scene.OwnerBuffer.Resized(width, height);
  scene.PrevViewWidth = scene.ViewWidth;
  scene.PrevViewHeight = scene.ViewHeight;
  scene.ViewWidth = width;
  scene.ViewHeight = height;
  scene.ViewBitmap = std::move(view);
  scene.DepthBuffer = std::move(depth);
  scene.OwnerBuffer = std::move(owner);
  scene.ViewShiftX = (scene.ViewWidth - scene.PrevViewWidth) * 0.5;
  scene.ViewShiftY = (scene.ViewHeight - scene.PrevViewHeight) * 0.5;
  for (int k = 0; k < scene.PartCount; ++k) {
    TranslatePartFrame(scene, k, scene.ViewShiftX, scene.ViewShiftY, 0);
    scene.PartOffsetX[k] += scene.ViewShiftX;
    scene.PartPosX[k] += scene.ViewShiftX;
    scene.PartOffsetY[k] += scene.ViewShiftY;
    scene.PartPosY[k] += scene.ViewShiftY;
  }
}

namespace {

// Whether part c's pivot lies on part k's silhouette.
bool pivotOnSilhouette(const Scene& scene, int c, int k) {
  // The difference is truncated toward zero, as integers are everywhere here.
  const double du = std::trunc(scene.PartPosX[c] - scene.PartOffsetX[k]);
  const double dv = std::trunc(scene.PartPosY[c] - scene.PartOffsetY[k]);
  const Bitmap& mask = scene.PartMask[k];
  // Written as a test for inside, so that a NaN position lies on no silhouette.
  if (!(du >= 0 && dv >= 0 && du < mask.Width() && dv < mask.Height())) return false;
  const int u = static_cast<int>(du);
  const int v = static_cast<int>(dv);
  return (mask.Row(v)[u] & 0xFFFFFF) == 0;
}

}  // namespace

void Relink(Scene& scene) {
  const int n = scene.PartCount;
  for (int r = 0; r <= n; ++r) {
    for (int c = 0; c <= n; ++c) scene.ParentMatrix[r][c] = 0;
  }
  scene.ParentMatrix[1][0] = 1;
  for (int c = 1; c < n; ++c) {
    int parent = -1;
    for (int k = 0; k < c; ++k) {
      if (pivotOnSilhouette(scene, c, k)) parent = k;
    }
    scene.ParentMatrix[c + 1][parent + 1] = 1;
  }
  for (int r = 0; r <= n; ++r) {
    for (int c = 0; c <= n; ++c) scene.AncestorMatrix[r][c] = scene.ParentMatrix[r][c];
  }
  for (int pass = 0; pass < n + 1; ++pass) CloseAncestors(scene);
}

void CloseAncestors(Scene& scene) {
  const int n = scene.PartCount;
  for (int r = 0; r <= n; ++r) {
    for (int c = 0; c <= n; ++c) scene.ClosureScratch[r][c] = 0;
  }
  for (int r = 0; r <= n; ++r) {
    for (int c = 0; c <= n; ++c) {
      for (int m = 0; m <= n; ++m) {
        if (scene.ParentMatrix[r][m] == 1 && scene.AncestorMatrix[m][c] == 1) {
          scene.ClosureScratch[r][c] = 1;
          break;
        }
      }
    }
  }
  for (int r = 0; r <= n; ++r) {
    for (int c = 0; c <= n; ++c) {
      if (scene.ClosureScratch[r][c] == 1) scene.AncestorMatrix[r][c] = 1;
    }
  }
}

void RedimMeshTables(Scene& scene, int parts) {
  Table3D<double>* const tables[] = {&scene.GridState, &scene.FrontX, &scene.FrontY,
                                     &scene.FrontZ,    &scene.BackX,  &scene.BackY,
                                     &scene.BackZ,     &scene.TexU,   &scene.TexV};
  // All new cells are made first: when memory runs out no table has changed,
  // and the nine always share one shape.
  std::vector<Table3D<double>::Redimension> next;
  next.reserve(std::size(tables));
  for (const Table3D<double>* table : tables) {
    next.push_back(table->Prepare(parts, scene.MaxGridColumns, scene.MaxGridRows));
  }
  for (size_t t = 0; t < std::size(tables); ++t) tables[t]->Apply(std::move(next[t]));
}

int JointParent(const Scene& scene, int k) {
  for (int p = 0; p < k; ++p) {
    if (scene.ParentMatrix[k + 1][p + 1] != 0) return p;
  }
  return -1;
}

std::string PartFilePath(const Scene& scene, int k) {
  const PartFileNameSlot& slot = scene.PartFileName[k];
  return std::string(slot.data(), strnlen(slot.data(), slot.size()));
}

}  // namespace puffel
