// A scene holding one picture in slot 0, ready for the mesh stages, without
// windows: the picture's pixel (0, 0) is the background, the back picture a
// recoloured copy so that its bleeding can be told apart.
#pragma once

#include <bit>
#include <cstdint>

#include "scene/scene.h"
#include "platform/bitmap.h"

namespace puffel::test {

inline void PutPicture(Scene& scene, int k, const Bitmap& picture) {
  scene.PartPicture[k] = picture;
  scene.PartBackPicture[k] = picture;
  Bitmap& back = scene.PartBackPicture[k];
  for (int y = 0; y < back.Height(); ++y) {
    for (int x = 0; x < back.Width(); ++x) back.Row(y)[x] ^= 0x00A5A5A5;
  }
  scene.BackgroundColour = SwapRedBlue(picture.Row(0)[0]);
  scene.PartCount = k + 1;
  scene.ViewWidth = 400;
  scene.ViewHeight = 400;
  scene.PartPosX[k] = scene.ViewWidth / 2;
  scene.PartPosY[k] = scene.ViewHeight / 2;
  scene.PartOffsetX[k] = (scene.ViewWidth - picture.Width()) / 2;
  scene.PartOffsetY[k] = (scene.ViewHeight - picture.Height()) / 2;
}

// True when a and b are the same double to the bit.
inline bool SameBits(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

}  // namespace puffel::test
