#include "interact/pointer_input.h"

#include <cmath>
#include <cstdint>

#include "interact/flat_drag.h"
#include "interact/posing.h"
#include "interact/tree_queries.h"
#include "platform/numeric.h"

namespace puffel {

namespace {

constexpr int MarkerSelection = 1000;
constexpr double MarkerReach = 5;  // half-width of a joint marker's open hit box
constexpr double WheelAngle = 0.1;

// The highest-numbered part whose silhouette lies under (x, y), then the
// highest-numbered part whose joint marker does; -1 when neither.
int pickFlat(const Scene& scene, int x, int y) {
  int selection = -1;
  for (int k = 0; k < scene.PartCount; ++k) {
    const int64_t u = int64_t{x} - TruncInt(scene.PartOffsetX[k]);
    const int64_t v = int64_t{y} - TruncInt(scene.PartOffsetY[k]);
    const Bitmap& mask = scene.PartMask[k];
    if (u >= 0 && v >= 0 && u < mask.Width() && v < mask.Height() &&
        (mask.Row(static_cast<int>(v))[u] & 0xFFFFFF) == 0) {
      selection = k;
    }
  }
  for (int k = 0; k < scene.PartCount; ++k) {
    if (scene.PartPosX[k] - MarkerReach < x && x < scene.PartPosX[k] + MarkerReach &&
        scene.PartPosY[k] - MarkerReach < y && y < scene.PartPosY[k] + MarkerReach) {
      selection = MarkerSelection + k;
    }
  }
  return selection;
}

bool pointerInView(const Scene& scene) {
  return scene.LastMouseX >= 0 && scene.LastMouseY >= 0 &&
         scene.LastMouseX < scene.OwnerBuffer.Width() &&
         scene.LastMouseY < scene.OwnerBuffer.Height();
}

// The part under the pointer in the last 3D redraw, -1 for the background
// (and for an empty view).
int partUnderPointer(const Scene& scene) {
  return pointerInView(scene) ? scene.OwnerBuffer(scene.LastMouseX, scene.LastMouseY) : -1;
}

// The grab of part s at the pointer: the picked surface point relative to the
// part's render pivot, z toward the viewer, on a sphere about the pivot.
void grabSurface(Scene& scene, int s) {
  const Point3& r0 = scene.RenderFrame[s].Origin;
  const double x = scene.LastMouseX;
  const double y = scene.LastMouseY;
  const double d = scene.DepthBuffer(scene.LastMouseX, scene.LastMouseY);
  const double dx = r0.x - x;
  const double dy = r0.y - y;
  const double dz = r0.z - d;
  scene.GrabRadius = std::sqrt(dx * dx + dy * dy + dz * dz);
  scene.GrabVector.x = x - r0.x;
  scene.GrabVector.y = y - r0.y;
  const double w = scene.GrabRadius * scene.GrabRadius - scene.GrabVector.x * scene.GrabVector.x -
                   scene.GrabVector.y * scene.GrabVector.y;
  scene.GrabVector.z = w >= 0 ? std::sqrt(w) : 0;
  scene.GrabBehind = r0.z < d;
  if (scene.GrabBehind) scene.GrabVector.z = -scene.GrabVector.z;
}

}  // namespace

int PressPointer(Scene& scene, int X, int Y) {
  scene.LastMouseX = X;
  scene.LastMouseY = Y;
  if (scene.LastMouseX < 0) scene.LastMouseX = 0;
  if (scene.LastMouseY < 0) scene.LastMouseY = 0;
  if (scene.LastMouseX > scene.ViewWidth - 1) scene.LastMouseX = scene.ViewWidth - 1;
  if (scene.LastMouseY > scene.ViewHeight - 1) scene.LastMouseY = scene.ViewHeight - 1;

  if (scene.ViewWidth <= 0 || scene.ViewHeight <= 0) {
    if (scene.PartCount != 0) scene.Selection = -1;  // an empty view shows nothing to pick
  } else if (scene.PartCount != 0) {
    if (scene.View3D) {
      scene.Selection = partUnderPointer(scene);
      if (IsPart(scene, scene.Selection)) grabSurface(scene, scene.Selection);
    } else {
      // The pictures are hit at the raw pointer position, not the clamped one.
      scene.Selection = pickFlat(scene, X, Y);
    }
  }

  scene.CurrentPart = scene.Selection;
  if (scene.CurrentPart > MarkerSelection - 1) scene.CurrentPart -= MarkerSelection;
  return scene.CurrentPart;
}

void MovePointer(Scene& scene, ShiftState held, int X, int Y) {
  double bx = static_cast<double>(scene.LastMouseX) - X;
  double by = static_cast<double>(scene.LastMouseY) - Y;
  scene.LastMouseX = X;
  scene.LastMouseY = Y;
  // Outside the view a move gives no motion on that axis, and the next move
  // measures from the edge.
  if (scene.LastMouseX < 0) {
    scene.LastMouseX = 0;
    bx = 0;
  }
  if (scene.LastMouseY < 0) {
    scene.LastMouseY = 0;
    by = 0;
  }
  if (scene.LastMouseX > scene.ViewWidth - 1) {
    scene.LastMouseX = scene.ViewWidth - 1;
    bx = 0;
  }
  if (scene.LastMouseY > scene.ViewHeight - 1) {
    scene.LastMouseY = scene.ViewHeight - 1;
    by = 0;
  }

  if (scene.View3D) {
    scene.HoverPart = partUnderPointer(scene);
    if (held.left && held.right && scene.Selection >= -1) {
      ScaleTree(scene, by);
    } else if (held.middle) {
      TranslateTree(scene, bx, by);
    } else if (scene.Selection >= 0) {
      TrackballRotate(scene, held.right);
    } else if (scene.Selection == -1) {
      RotateScene(scene, bx, by);
    }
  } else if (held.middle) {
    DragFlatTree(scene, bx, by);
  } else {
    DragFlatPart(scene, bx, by);
  }
}

void ReleasePointer(Scene& scene) {
  scene.Selection = -2;
  if (!scene.View3D) Relink(scene);
}

void TurnWheel(Scene& scene, bool down, int x, int y) {
  WheelTilt(scene, down ? WheelAngle : -WheelAngle, x, y);
}

}  // namespace puffel
