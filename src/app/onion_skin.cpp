#include "app/onion_skin.h"

#include "anim/key_poses.h"
#include "render/onion_outline.h"

namespace puffel {

namespace {

constexpr uint32_t BeforeColour = 0x906850;  // canvas colours, 0x00BBGGRR
constexpr uint32_t AfterColour = 0x506890;

std::array<Frame, MaxParts> framesOfKey(Scene& scene, const KeyPose& key) {
  const std::array<Frame, MaxParts> posed = scene.PartFrame;
  PoseScene(scene, key);
  const std::array<Frame, MaxParts> frames = scene.PartFrame;
  scene.PartFrame = posed;
  return frames;
}

}  // namespace

void DrawOnionSkin(Scene& scene, Bitmap& shown) {
  const int n = static_cast<int>(scene.AnimationKeys.size());
  const int k = scene.SelectedKey;
  if (!scene.OnionSkin || k < 0 || k >= n || n < 2) return;
  const int before = (k + n - 1) % n;
  const int after = (k + 1) % n;
  DrawOnionOutline(scene, framesOfKey(scene, scene.AnimationKeys[before]), BeforeColour, shown);
  if (after != before) {
    DrawOnionOutline(scene, framesOfKey(scene, scene.AnimationKeys[after]), AfterColour, shown);
  }
}

}  // namespace puffel
