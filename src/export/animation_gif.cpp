#include "export/animation_gif.h"

#include <cmath>

#include "anim/key_poses.h"
#include "export/export_refusal.h"
#include "export/gif_encode.h"
#include "render/render_scene.h"

namespace puffel {

namespace {

// The hundredth of a second frame f starts on.
int startOf(int f) { return static_cast<int>(std::lround(f * 100.0 / PlaybackRate)); }

}  // namespace

int LoopFrames(const Scene& scene) {
  return static_cast<int>(std::ceil(scene.LoopLength * PlaybackRate));
}

int FrameDelay(int f, int frames, double loopSeconds) {
  const int end =
      f + 1 < frames ? startOf(f + 1) : static_cast<int>(std::lround(loopSeconds * 100));
  return end - startOf(f);
}

std::string AnimationGif(Scene& scene) {
  if (scene.AnimationKeys.empty()) throw ExportRefusal(NoKeysMessage);
  const std::array<Frame, MaxParts> posed = scene.PartFrame;
  const int frames = LoopFrames(scene);
  GifEncoder gif(scene.ViewWidth, scene.ViewHeight);
  try {
    for (int f = 0; f < frames; ++f) {
      PoseScene(scene, PoseAtTime(scene.AnimationKeys, scene.LoopLength,
                                  static_cast<double>(f) / PlaybackRate));
      DrawScene3D(scene);
      gif.AddFrame(scene.ViewBitmap, FrameDelay(f, frames, scene.LoopLength));
    }
  } catch (...) {
    scene.PartFrame = posed;
    throw;
  }
  scene.PartFrame = posed;
  return gif.Finish();
}

}  // namespace puffel
