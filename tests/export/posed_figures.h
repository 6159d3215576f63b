// Figures for the export's tests: parts added through the add-picture button,
// linked by placing their pivots over their parents' silhouettes, and posed by
// writing their frames the way the part window's drags do.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/part_window.h"
#include "scene/scene.h"
#include "support/scripted_app.h"

namespace puffel::test {

// A disc of varied colours on white paper, so that a texel read from the
// wrong place shows.
inline Bitmap PatternDisc(int width, int height, double radius, uint32_t seed) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = x + 0.5 - width / 2.0;
      const double dy = y + 0.5 - height / 2.0;
      const uint32_t ink = ((x * 37u + y * 101u + seed * 7919u) * 2654435761u >> 8) & 0x7F7F7F;
      picture.Row(y)[x] = dx * dx + dy * dy <= radius * radius ? ink : 0xFFFFFF;
    }
  }
  return picture;
}

// Moves part k with its picture and frame (as dragging its picture does) so
// that its pivot lands on (x, y).
inline void PlacePivot(Scene& scene, int k, double x, double y) {
  const double dx = x - scene.PartPosX[k];
  const double dy = y - scene.PartPosY[k];
  scene.PartPosX[k] += dx;
  scene.PartPosY[k] += dy;
  scene.PartOffsetX[k] += dx;
  scene.PartOffsetY[k] += dy;
  TranslatePartFrame(scene, k, dx, dy, 0);
}

// Whether part i moves with part r: r itself or one of r's descendants.
inline bool MovesWithPart(const Scene& scene, int i, int r) {
  return i == r || scene.AncestorMatrix[i + 1][r + 1] == 1;
}

// p turned by angle about the line through c along the unit axis (ux, uy, uz).
inline Point3 TurnedAbout(const Point3& p, const Point3& c, const Point3& u, double angle) {
  const double cs = std::cos(angle);
  const double sn = std::sin(angle);
  const Point3 v{p.x - c.x, p.y - c.y, p.z - c.z};
  const double dot = u.x * v.x + u.y * v.y + u.z * v.z;
  const Point3 cross{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
  return {c.x + v.x * cs + cross.x * sn + u.x * dot * (1 - cs),
          c.y + v.y * cs + cross.y * sn + u.y * dot * (1 - cs),
          c.z + v.z * cs + cross.z * sn + u.z * dot * (1 - cs)};
}

inline void TurnFrameAbout(Frame& frame, const Point3& c, const Point3& axis, double angle) {
  for (Point3* point : {&frame.Origin, &frame.TipX, &frame.TipY, &frame.TipZ}) {
    *point = TurnedAbout(*point, c, axis, angle);
  }
}

// A left-button trackball step on part s: s and its subtree turn rigidly
// about s's pivot.
inline void TurnSubtree(Scene& scene, int s, const Point3& axis, double angle) {
  const Point3 centre = scene.PartFrame[s].Origin;
  for (int i = 0; i < scene.PartCount; ++i) {
    if (MovesWithPart(scene, i, s)) TurnFrameAbout(scene.PartFrame[i], centre, axis, angle);
  }
}

// A right-button trackball step on part s: s turns, each child subtree only
// follows its pivot, keeping its orientation.
inline void TurnPartAlone(Scene& scene, int s, const Point3& axis, double angle) {
  const auto saved = scene.PartFrame;
  TurnSubtree(scene, s, axis, angle);
  for (int j = s + 1; j < scene.PartCount; ++j) {
    if (scene.ParentMatrix[j + 1][s + 1] != 1) continue;
    const Point3& now = scene.PartFrame[j].Origin;
    const Point3& before = saved[j].Origin;
    const Point3 d{now.x - before.x, now.y - before.y, now.z - before.z};
    for (int i = j; i < scene.PartCount; ++i) {
      if (!MovesWithPart(scene, i, j)) continue;
      scene.PartFrame[i] = saved[i];
      TranslateFrame(scene.PartFrame[i], d.x, d.y, d.z);
    }
  }
}

// A both-buttons drag: every part of r's tree scales its axes by k about its
// own pivot.
inline void ScaleTree(Scene& scene, int r, double k) {
  for (int i = 0; i < scene.PartCount; ++i) {
    if (!MovesWithPart(scene, i, r)) continue;
    Frame& f = scene.PartFrame[i];
    for (Point3* tip : {&f.TipX, &f.TipY, &f.TipZ}) {
      tip->x = (1 - k) * f.Origin.x + k * tip->x;
      tip->y = (1 - k) * f.Origin.y + k * tip->y;
      tip->z = (1 - k) * f.Origin.z + k * tip->z;
    }
  }
}

// A middle-button drag: r's tree moves in the view plane, pictures and pivots
// along.
inline void MoveTree(Scene& scene, int r, double dx, double dy) {
  for (int i = 0; i < scene.PartCount; ++i) {
    if (!MovesWithPart(scene, i, r)) continue;
    scene.PartPosX[i] += dx;
    scene.PartPosY[i] += dy;
    scene.PartOffsetX[i] += dx;
    scene.PartOffsetY[i] += dy;
    TranslatePartFrame(scene, i, dx, dy, 0);
  }
}

// A background drag: every part turns about the view centre.
inline void TurnScene(Scene& scene, const Point3& axis, double angle) {
  const Point3 centre{scene.ViewWidth * 0.5, scene.ViewHeight * 0.5, 0};
  for (int i = 0; i < scene.PartCount; ++i) {
    TurnFrameAbout(scene.PartFrame[i], centre, axis, angle);
  }
}

// A program with a figure of five parts: a body (0) with a head (1) and two
// arms (2, 3, both from "arm.bmp") on it, and a hand (4) on the second arm.
// Built at the sliders' defaults (polygon size 8, triangular grid) unless
// square is set, and linked; the flat view is on.
inline std::unique_ptr<ScriptedApp> FigureProgram(bool square = false) {
  auto program = std::make_unique<ScriptedApp>();
  Scene& scene = program->scene();
  if (square) program->form1().CheckBox2.SetChecked(true);
  program->AddPicture(PatternDisc(160, 200, 70, 1), "body.bmp");
  program->AddPicture(PatternDisc(90, 90, 40, 2), "head.bmp");
  program->AddPicture(PatternDisc(120, 60, 28, 3), "arm.bmp");
  program->AddPicture(PatternDisc(120, 60, 28, 4), "arm.bmp");
  program->AddPicture(PatternDisc(50, 50, 22, 5), "hand.bmp");
  const double cx = scene.PartPosX[0];
  const double cy = scene.PartPosY[0];
  PlacePivot(scene, 1, cx, cy - 60);
  PlacePivot(scene, 2, cx - 50, cy - 20);
  PlacePivot(scene, 3, cx + 50, cy - 20);
  PlacePivot(scene, 4, cx + 72, cy - 20);
  Relink(scene);
  return program;
}

// Switches the 3D view on and poses the figure of FigureProgram with every
// drag kind: trackball turns with and without the children, a tree scaled, a
// tree moved, the whole scene turned.
inline void PoseFigure(ScriptedApp& program) {
  Scene& scene = program.scene();
  program.Dispatch([&] { program.form1().Button4.Click(); });
  TurnSubtree(scene, 3, {0, 0, 1}, 0.7);
  TurnPartAlone(scene, 0, {0.6, 0.8, 0}, 0.4);
  TurnSubtree(scene, 1, {1, 0, 0}, -0.5);
  ScaleTree(scene, 0, std::pow(1.01, 25));
  ScaleTree(scene, 0, std::pow(1.01, -7));
  MoveTree(scene, 0, 13, -9);
  TurnScene(scene, {0, 1, 0}, 0.3);
  TurnScene(scene, {1, 0, 0}, -0.2);
}

}  // namespace puffel::test
