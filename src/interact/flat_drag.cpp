#include "interact/flat_drag.h"

#include "builder/finish.h"
#include "interact/tree_queries.h"

namespace puffel {

namespace {

constexpr int MarkerSelection = 1000;

void moveFrameBack(Frame& frame, double bx, double by) {
  for (Point3* point : FramePoints(frame)) {
    point->x -= bx;
    point->y -= by;
  }
}

}  // namespace

void MovePartBack(Scene& scene, int i, double bx, double by) {
  scene.PartPosX[i] -= bx;
  scene.PartOffsetX[i] -= bx;
  scene.PartPosY[i] -= by;
  scene.PartOffsetY[i] -= by;
  moveFrameBack(scene.PartFrame[i], bx, by);
}

void DragFlatPart(Scene& scene, double bx, double by) {
  const int selection = scene.Selection;
  if (IsPart(scene, selection)) {
    MovePartBack(scene, selection, bx, by);
  } else if (IsPart(scene, selection - MarkerSelection)) {
    const int i = selection - MarkerSelection;
    scene.PartPosX[i] -= bx;
    scene.PartPosY[i] -= by;
    moveFrameBack(scene.PartFrame[i], bx, by);
    TranslatePartMesh(scene, i, bx, by, 0);
  }
}

void DragFlatTree(Scene& scene, double bx, double by) {
  if (scene.CurrentPart >= scene.PartCount) return;
  const int root = TreeRoot(scene, scene.CurrentPart);
  for (int i = 0; i < scene.PartCount; ++i) {
    if (MovesWith(scene, i, root)) MovePartBack(scene, i, bx, by);
  }
}

}  // namespace puffel
