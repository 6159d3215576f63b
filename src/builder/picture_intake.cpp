#include "builder/picture_intake.h"

#include <utility>

#include "platform/canvas.h"

namespace puffel {

void CopyPicture(const Bitmap& source, Bitmap& target) {
  target.SetSize(source.Width(), source.Height());
  Draw(target, 0, 0, source);
}

void TakeScaledPicture(Bitmap& source, int width, int height, Bitmap& target) {
  const bool sameSize = source.Width() == width && source.Height() == height;
  // Drawn in copy mode, the pixels would arrive unchanged.
  if (sameSize && target.canvas.copyMode == CopyMode::Copy) {
    const CanvasState canvas = target.canvas;
    target = std::move(source);
    target.canvas = canvas;
    source.Release();
    return;
  }
  if (sameSize) {
    CopyPicture(source, target);
    return;
  }
  target.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = source.Row(static_cast<int>(int64_t{y} * source.Height() / height));
    uint32_t* to = target.Row(y);
    for (int x = 0; x < width; ++x) {
      to[x] = from[int64_t{x} * source.Width() / width];
    }
  }
}

void MakeCutoutAndMask(Bitmap& cutout, Bitmap& mask, uint32_t background) {
  for (int y = 0; y < cutout.Height(); ++y) {
    uint32_t* cut = cutout.Row(y);
    uint32_t* masked = mask.Row(y);
    for (int x = 0; x < cutout.Width(); ++x) {
      if (SwapRedBlue(cut[x]) == background) {
        cut[x] = 0;
        masked[x] = 0xFFFFFF;
      } else {
        masked[x] = 0;
      }
    }
  }
}

void PlacePart(Scene& scene, int k) {
  const int width = scene.PartPicture[k].Width();
  const int height = scene.PartPicture[k].Height();
  scene.PartPosX[k] = scene.ViewWidth / 2;
  scene.PartPosY[k] = scene.ViewHeight / 2;
  scene.PartOffsetX[k] = (scene.ViewWidth - width) / 2;
  scene.PartOffsetY[k] = (scene.ViewHeight - height) / 2;
}

}  // namespace puffel
