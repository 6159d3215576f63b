#include "scene/start_scene.h"

#include "platform/canvas.h"
#include "platform/services.h"
#include "scene/light_material.h"

namespace puffel {

void SetStartDefaults(Scene& scene) {
  scene.PartCount = 0;
  scene.Selection = -2;
  scene.CurrentPart = 0;
  scene.LightRed = 255;
  scene.LightGreen = 255;
  scene.LightBlue = 255;
  scene.LightMarkX = 40;
  scene.LightMarkY = 40;
  scene.ColorMarkX = 40;
  scene.ColorMarkY = 40;
  scene.DiffuseMarkX = 40;
  scene.DiffuseMarkY = 4;
  scene.SpecularMarkX = 4;
  scene.SpecularMarkY = 4;
  scene.FadeMarkX = 40;
  scene.FadeMarkY = 28;

  UpdateMaterial(scene);
  UpdateLight(scene);

  scene.PictureLoadBuffer = Bitmap();
  for (int k = 0; k < MaxParts; ++k) {
    scene.PartPicture[k] = Bitmap();
    scene.PartBackPicture[k] = Bitmap();
    scene.PartCutout[k] = Bitmap();
    scene.PartMask[k] = Bitmap();
  }
  scene.BackgroundBitmap = Bitmap();
  scene.ViewBitmap = Bitmap(scene.ViewWidth, scene.ViewHeight);
  scene.ViewBitmap.canvas.penColour = 0xFFFFFF;
  scene.ViewBitmap.canvas.brushColour = 0;
  scene.DepthBuffer.Redim(scene.ViewWidth, scene.ViewHeight);
  scene.OwnerBuffer.Redim(scene.ViewWidth, scene.ViewHeight);

  scene.LightPickerBitmap = Bitmap(108, 108);
  scene.LightPickerBitmap.canvas.penColour = ButtonFaceColour();
  scene.LightPickerBitmap.canvas.brushColour = ButtonFaceColour();
  Rectangle(scene.LightPickerBitmap, 0, 0, 108, 108);
  DrawLightWheel(scene);
  scene.MaterialPickerBitmap = Bitmap(108, 108);
}

}  // namespace puffel
