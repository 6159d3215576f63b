// The small state of the scene that gestures change, as one plain struct: what
// a step of the history keeps. Meshes and pictures are not in it; the builds
// the slots hold are named by number and kept by the history (kept_builds.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "scene/scene.h"

namespace puffel {

struct SceneSnapshot : PartLayout, SceneModes, LightAndMaterial {
  // The build and the version of its mesh each of the 32 slots holds (used or
  // stale: a stale slot's file name is saved with the project).
  std::array<uint32_t, MaxParts> SlotBuild{};
  std::array<uint32_t, MaxParts> SlotMesh{};

  // The view's size, which the part window's own size handling restores.
  int32_t ViewWidth = 0;
  int32_t ViewHeight = 0;
  // The background and its picture, shared by every step that shows it.
  std::string BackgroundName;
  std::shared_ptr<const Bitmap> BackgroundPicture;
  // The animation's keys, shared by every step that shows them.
  std::shared_ptr<const std::vector<KeyPose>> AnimationKeys;
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

// Whether the light and material of two snapshots are the same, bit for bit.
bool SameLightAndMaterial(const SceneSnapshot& a, const SceneSnapshot& b);

// Writes the groups the snapshot keeps whole (parts and skeleton, modes,
// light and material) into scene. The view size, the background and the
// slots' contents are the history's to restore.
void RestoreSmallState(Scene& scene, const SceneSnapshot& snapshot);

}  // namespace puffel
