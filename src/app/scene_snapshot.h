// The small state of the scene that gestures change, as one plain struct: what
// a step of the history keeps. Meshes and pictures are not in it; the builds
// the slots hold are named by number and kept by the history (kept_builds.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/scene.h"
#include "platform/bitmap.h"

namespace puffel {

struct SceneSnapshot {
  // Parts and their poses.
  int PartCount = 0;
  std::array<Frame, MaxParts> PartFrame{};
  std::array<double, MaxParts> PartPosX{};
  std::array<double, MaxParts> PartPosY{};
  std::array<double, MaxParts> PartOffsetX{};
  std::array<double, MaxParts> PartOffsetY{};
  LinkMatrix ParentMatrix{};
  LinkMatrix AncestorMatrix{};
  // The build and the version of its mesh each of the 32 slots holds (used or
  // stale: a stale slot's file name is saved with the project).
  std::array<uint32_t, MaxParts> SlotBuild{};
  std::array<uint32_t, MaxParts> SlotMesh{};

  // The view (the 3D redraw derives its cell order anew every time).
  bool View3D = false;
  bool OutlineMode = false;
  int32_t ViewWidth = 0;
  int32_t ViewHeight = 0;
  // The background and its picture, shared by every step that shows it.
  std::string BackgroundName;
  std::shared_ptr<const Bitmap> BackgroundPicture;

  // Light and material: the marks and what is derived from them.
  int32_t LightMarkX = 0, LightMarkY = 0;
  int32_t ColorMarkX = 0, ColorMarkY = 0;
  int32_t DiffuseMarkX = 0, DiffuseMarkY = 0;
  int32_t SpecularMarkX = 0, SpecularMarkY = 0;
  int32_t FadeMarkX = 0, FadeMarkY = 0;
  bool LightBehind = false;
  double LightDirX = 0, LightDirY = 0, LightDirZ = 0;
  int32_t LightRed = 0, LightGreen = 0, LightBlue = 0;
  double DiffuseSharpness = 0;
  double DiffuseGain = 0;
  double SpecularSharpness = 0;
  double SpecularGain = 0;
  double FadeStart = 0;
  int32_t FadeRange = 0;

  // The animation: its keys, shared by every step that shows them.
  std::shared_ptr<const std::vector<KeyPose>> AnimationKeys;
  double KeyInterval = 1;
};

// The scene's small state, with the slots' builds and meshes, the background
// picture and the animation keys as the history names them.
SceneSnapshot CaptureSnapshot(const Scene& scene, const std::array<uint32_t, MaxParts>& slotBuild,
                              const std::array<uint32_t, MaxParts>& slotMesh,
                              std::shared_ptr<const Bitmap> backgroundPicture,
                              std::shared_ptr<const std::vector<KeyPose>> animationKeys);

// Whether two lists of keys are the same, bit for bit.
bool SameKeys(const std::vector<KeyPose>& a, const std::vector<KeyPose>& b);

// Whether two snapshots hold the same state: every number bit for bit (a NaN
// equals itself, 0 and -0 differ), the background picture and the keys by
// identity.
bool SameSnapshot(const SceneSnapshot& a, const SceneSnapshot& b);

// Whether the light and material parts of two snapshots are the same.
bool SameLightAndMaterial(const SceneSnapshot& a, const SceneSnapshot& b);

// Writes the parts, poses, skeleton, view mode, drawing mode and light and
// material of snapshot into scene. The view size, the background and the
// slots' contents are the history's to restore.
void RestoreSmallState(Scene& scene, const SceneSnapshot& snapshot);

}  // namespace puffel
