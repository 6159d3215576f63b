#include "export/animation_gif.h"

#include <cmath>

#include "anim/key_poses.h"
#include "export/export_refusal.h"
#include "export/gif_encode.h"
#include "render/render_scene.h"

namespace puffel {

namespace {

// The tick frame f starts on.
int startOf(int f, int ticksPerSecond) {
  return static_cast<int>(std::lround(f * static_cast<double>(ticksPerSecond) / PlaybackRate));
}

}  // namespace

double LoopSeconds(const Scene& scene) { return scene.LoopLength; }

int LoopFrames(const Scene& scene) {
  return static_cast<int>(std::ceil(LoopSeconds(scene) * PlaybackRate));
}

int FrameTicks(int f, int frames, double loopSeconds, int ticksPerSecond) {
  const int end = f + 1 < frames ? startOf(f + 1, ticksPerSecond)
                                 : static_cast<int>(std::lround(loopSeconds * ticksPerSecond));
  return end - startOf(f, ticksPerSecond);
}

int FrameDelay(int f, int frames, double loopSeconds) {
  return FrameTicks(f, frames, loopSeconds, 100);
}

std::string AnimationGif(Scene& scene) {
  if (scene.AnimationKeys.empty()) throw ExportRefusal(NoKeysMessage);
  const std::array<Frame, MaxParts> posed = scene.PartFrame;
  const int frames = LoopFrames(scene);
  GifEncoder gif(scene.ViewWidth, scene.ViewHeight);
  try {
    for (int f = 0; f < frames; ++f) {
      PoseScene(scene, PoseAtTime(scene.AnimationKeys, LoopSeconds(scene),
                                  static_cast<double>(f) / PlaybackRate));
      DrawScene3D(scene);
      gif.AddFrame(scene.ViewBitmap, FrameDelay(f, frames, LoopSeconds(scene)));
    }
  } catch (...) {
    scene.PartFrame = posed;
    throw;
  }
  scene.PartFrame = posed;
  return gif.Finish();
}

}  // namespace puffel
