#include "app/scene_snapshot.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace puffel {

namespace {

// Bit for bit, so that a pose holding a NaN still equals itself. Only for
// values without padding: numbers and arrays of them, frames.
template <class T>
bool sameBits(const T& a, const T& b) {
  static_assert(std::is_trivially_copyable_v<T>);
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

static_assert(sizeof(Frame) == 12 * sizeof(double), "frames are compared bit for bit");

}  // namespace

SceneSnapshot CaptureSnapshot(const Scene& scene, const std::array<uint32_t, MaxParts>& slotBuild,
                              const std::array<uint32_t, MaxParts>& slotMesh,
                              std::shared_ptr<const Bitmap> backgroundPicture,
                              std::shared_ptr<const std::vector<KeyPose>> animationKeys) {
  SceneSnapshot s;
  s.PartCount = scene.PartCount;
  s.PartFrame = scene.PartFrame;
  s.PartPosX = scene.PartPosX;
  s.PartPosY = scene.PartPosY;
  s.PartOffsetX = scene.PartOffsetX;
  s.PartOffsetY = scene.PartOffsetY;
  s.ParentMatrix = scene.ParentMatrix;
  s.AncestorMatrix = scene.AncestorMatrix;
  s.SlotBuild = slotBuild;
  s.SlotMesh = slotMesh;

  s.View3D = scene.View3D;
  s.OutlineMode = scene.OutlineMode;
  s.ViewWidth = scene.ViewWidth;
  s.ViewHeight = scene.ViewHeight;
  s.BackgroundName = scene.BackgroundName;
  s.BackgroundPicture = std::move(backgroundPicture);

  s.LightMarkX = scene.LightMarkX;
  s.LightMarkY = scene.LightMarkY;
  s.ColorMarkX = scene.ColorMarkX;
  s.ColorMarkY = scene.ColorMarkY;
  s.DiffuseMarkX = scene.DiffuseMarkX;
  s.DiffuseMarkY = scene.DiffuseMarkY;
  s.SpecularMarkX = scene.SpecularMarkX;
  s.SpecularMarkY = scene.SpecularMarkY;
  s.FadeMarkX = scene.FadeMarkX;
  s.FadeMarkY = scene.FadeMarkY;
  s.LightBehind = scene.LightBehind;
  s.LightDirX = scene.LightDirX;
  s.LightDirY = scene.LightDirY;
  s.LightDirZ = scene.LightDirZ;
  s.LightRed = scene.LightRed;
  s.LightGreen = scene.LightGreen;
  s.LightBlue = scene.LightBlue;
  s.DiffuseSharpness = scene.DiffuseSharpness;
  s.DiffuseGain = scene.DiffuseGain;
  s.SpecularSharpness = scene.SpecularSharpness;
  s.SpecularGain = scene.SpecularGain;
  s.FadeStart = scene.FadeStart;
  s.FadeRange = scene.FadeRange;
  s.AnimationKeys = std::move(animationKeys);
  s.KeyInterval = scene.KeyInterval;
  return s;
}

bool SameLightAndMaterial(const SceneSnapshot& a, const SceneSnapshot& b) {
  return sameBits(a.LightMarkX, b.LightMarkX) && sameBits(a.LightMarkY, b.LightMarkY) &&
         sameBits(a.ColorMarkX, b.ColorMarkX) && sameBits(a.ColorMarkY, b.ColorMarkY) &&
         sameBits(a.DiffuseMarkX, b.DiffuseMarkX) && sameBits(a.DiffuseMarkY, b.DiffuseMarkY) &&
         sameBits(a.SpecularMarkX, b.SpecularMarkX) && sameBits(a.SpecularMarkY, b.SpecularMarkY) &&
         sameBits(a.FadeMarkX, b.FadeMarkX) && sameBits(a.FadeMarkY, b.FadeMarkY) &&
         sameBits(a.LightBehind, b.LightBehind) && sameBits(a.LightDirX, b.LightDirX) &&
         sameBits(a.LightDirY, b.LightDirY) && sameBits(a.LightDirZ, b.LightDirZ) &&
         sameBits(a.LightRed, b.LightRed) && sameBits(a.LightGreen, b.LightGreen) &&
         sameBits(a.LightBlue, b.LightBlue) && sameBits(a.DiffuseSharpness, b.DiffuseSharpness) &&
         sameBits(a.DiffuseGain, b.DiffuseGain) &&
         sameBits(a.SpecularSharpness, b.SpecularSharpness) &&
         sameBits(a.SpecularGain, b.SpecularGain) && sameBits(a.FadeStart, b.FadeStart) &&
         sameBits(a.FadeRange, b.FadeRange);
}

bool SameSnapshot(const SceneSnapshot& a, const SceneSnapshot& b) {
  return sameBits(a.PartCount, b.PartCount) && sameBits(a.PartFrame, b.PartFrame) &&
         sameBits(a.PartPosX, b.PartPosX) && sameBits(a.PartPosY, b.PartPosY) &&
         sameBits(a.PartOffsetX, b.PartOffsetX) && sameBits(a.PartOffsetY, b.PartOffsetY) &&
         sameBits(a.ParentMatrix, b.ParentMatrix) && sameBits(a.AncestorMatrix, b.AncestorMatrix) &&
         sameBits(a.SlotBuild, b.SlotBuild) && sameBits(a.SlotMesh, b.SlotMesh) &&
         sameBits(a.View3D, b.View3D) && sameBits(a.OutlineMode, b.OutlineMode) &&
         sameBits(a.ViewWidth, b.ViewWidth) && sameBits(a.ViewHeight, b.ViewHeight) &&
         a.BackgroundName == b.BackgroundName && a.BackgroundPicture == b.BackgroundPicture &&
         a.AnimationKeys == b.AnimationKeys && sameBits(a.KeyInterval, b.KeyInterval) &&
         SameLightAndMaterial(a, b);
}

bool SameKeys(const std::vector<KeyPose>& a, const std::vector<KeyPose>& b) {
  static_assert(sizeof(JointPose) == 8 * sizeof(double), "joints are compared bit for bit");
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    const std::vector<JointPose>& p = a[k].joints;
    const std::vector<JointPose>& q = b[k].joints;
    if (p.size() != q.size() ||
        (!p.empty() && std::memcmp(p.data(), q.data(), p.size() * sizeof(JointPose)) != 0)) {
      return false;
    }
  }
  return true;
}

void RestoreSmallState(Scene& scene, const SceneSnapshot& s) {
  scene.PartCount = s.PartCount;
  scene.KeyInterval = s.KeyInterval;
  scene.PartFrame = s.PartFrame;
  scene.PartPosX = s.PartPosX;
  scene.PartPosY = s.PartPosY;
  scene.PartOffsetX = s.PartOffsetX;
  scene.PartOffsetY = s.PartOffsetY;
  scene.ParentMatrix = s.ParentMatrix;
  scene.AncestorMatrix = s.AncestorMatrix;

  scene.View3D = s.View3D;
  scene.OutlineMode = s.OutlineMode;

  scene.LightMarkX = s.LightMarkX;
  scene.LightMarkY = s.LightMarkY;
  scene.ColorMarkX = s.ColorMarkX;
  scene.ColorMarkY = s.ColorMarkY;
  scene.DiffuseMarkX = s.DiffuseMarkX;
  scene.DiffuseMarkY = s.DiffuseMarkY;
  scene.SpecularMarkX = s.SpecularMarkX;
  scene.SpecularMarkY = s.SpecularMarkY;
  scene.FadeMarkX = s.FadeMarkX;
  scene.FadeMarkY = s.FadeMarkY;
  scene.LightBehind = s.LightBehind;
  scene.LightDirX = s.LightDirX;
  scene.LightDirY = s.LightDirY;
  scene.LightDirZ = s.LightDirZ;
  scene.LightRed = s.LightRed;
  scene.LightGreen = s.LightGreen;
  scene.LightBlue = s.LightBlue;
  scene.DiffuseSharpness = s.DiffuseSharpness;
  scene.DiffuseGain = s.DiffuseGain;
  scene.SpecularSharpness = s.SpecularSharpness;
  scene.SpecularGain = s.SpecularGain;
  scene.FadeStart = s.FadeStart;
  scene.FadeRange = s.FadeRange;
}

}  // namespace puffel
