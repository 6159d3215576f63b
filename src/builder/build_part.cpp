#include "builder/build_part.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "app/main_window.h"
#include "app/part_window.h"
#include "builder/inflate.h"
#include "builder/part_mesh.h"
#include "builder/picture_intake.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/picture_file.h"
#include "platform/platform_error.h"
#include "platform/services.h"

namespace puffel {

namespace {

// Writes the four picture copies of part k into "save". Every copy is tried;
// the error of the first that fails is returned for reporting later.
std::exception_ptr savePictureCopies(const Scene& scene, int k) {
  const std::string base = ProgramFolder() + "save/" + ExtractFileName(PartFilePath(scene, k));
  const Bitmap* const copies[] = {&scene.PartCutout[k], &scene.PartMask[k], &scene.PartPicture[k],
                                  &scene.PartBackPicture[k]};
  std::exception_ptr firstError;
  for (int digit = 1; digit <= 4; ++digit) {
    try {
      SaveBitmapFile(base + std::to_string(digit), *copies[digit - 1]);
    } catch (const PlatformError&) {
      if (!firstError) firstError = std::current_exception();
    }
  }
  return firstError;
}

MeshSettings readMeshSettings(const TForm1& form1) {
  return {.polygonSize = form1.TrackBar1.Position(),
          .triangularGrid = !form1.CheckBox2.Checked(),
          .colourProjection = form1.CheckBox1.Checked(),
          .frontBulge = BulgeExponent(form1.TrackBar2.Position()),
          .backBulge = BulgeExponent(form1.TrackBar6.Position())};
}

ShapeSettings readShapeSettings(const TForm1& form1) {
  return {.earPosition = form1.TrackBar3.Position(),
          .frontStretch = form1.TrackBar4.Position(),
          .backStretch = form1.TrackBar5.Position()};
}

}  // namespace

void BuildPart(TForm1& form1, int k) {
  Scene& scene = form1.scene;
  TForm2& form2 = *form1.Form2;

  if (scene.PartCount > 31) {
    ShowMessage("これ以上は読み込めません！");
    return;
  }

  form1.OpenPictureDialog1.initialDir = ProgramFolder() + "obj";
  form1.OpenPictureDialog1.filterIndex = 1;
  if (!form1.OpenPictureDialog1.Execute()) return;
  const std::string path = form1.OpenPictureDialog1.fileName;
  if (!FileExists(path)) return;
  if (path.size() >= PartFileNameSlot().size()) {
    ShowMessage("ファイル名が長すぎます！");
    return;
  }
  scene.PartFileName[k].fill(0);
  std::copy(path.begin(), path.end(), scene.PartFileName[k].begin());
  const MeshSettings settings = readMeshSettings(form1);

  LoadPictureFile(path, scene.PictureLoadBuffer);
  CopyPicture(scene.PictureLoadBuffer, scene.PartMask[k]);
  CopyPicture(scene.PictureLoadBuffer, scene.PartPicture[k]);
  CopyPicture(scene.PictureLoadBuffer, scene.PartCutout[k]);

  const int width = scene.PartPicture[k].Width();
  const int height = scene.PartPicture[k].Height();
  if (!form1.CheckBox3.Checked()) {
    form1.FormPaint();
    // Loading the same file again would give the picture the buffer holds.
    TakeScaledPicture(scene.PictureLoadBuffer, width, height, scene.PartBackPicture[k]);
  } else {
    form1.OpenPictureDialog1.filterIndex = 1;
    if (!form1.OpenPictureDialog1.Execute()) return;
    const std::string backPath = form1.OpenPictureDialog1.fileName;
    if (!FileExists(backPath)) return;
    LoadPictureFile(backPath, scene.PictureLoadBuffer);
    TakeScaledPicture(scene.PictureLoadBuffer, width, height, scene.PartBackPicture[k]);
    form1.FormPaint();
  }

  scene.BackgroundColour = SwapRedBlue(scene.PartPicture[k].Row(0)[0]);
  MakeCutoutAndMask(scene.PartCutout[k], scene.PartMask[k], scene.BackgroundColour);
  PlacePart(scene, k);

  // Out of memory, the part is taken back and the grid maxima restored; what
  // stays in the slot is stale, as in any slot at or above PartCount.
  const int32_t maxColumns = scene.MaxGridColumns;
  const int32_t maxRows = scene.MaxGridRows;
  std::exception_ptr copyError;
  ++scene.PartCount;
  try {
    form2.FormPaint();
    form1.ProgressBar1.SetPosition(5);
    {  // the outline and its measures live through the mesh stages only
      const std::unique_ptr<PartAnalysis> analysis =
          AnalysePart(scene, k, settings, form1.ProgressBar1);
      InflatePart(scene, k, *analysis, settings, readShapeSettings(form1));
      FinishPartMesh(scene, k, *analysis);
    }
    copyError = savePictureCopies(scene, k);
    PlacePartMesh(scene, k);
  } catch (const std::bad_alloc&) {
    scene.PartCount = k;
    scene.MaxGridColumns = maxColumns;
    scene.MaxGridRows = maxRows;
    form1.ProgressBar1.SetPosition(0);
    throw;
  }

  form1.ProgressBar1.SetPosition(100);
  form2.SetClientSize(scene.ViewWidth, scene.ViewHeight);
  form1.ProgressBar1.SetPosition(0);

  Relink(scene);
  if (copyError) std::rethrow_exception(copyError);
}

}  // namespace puffel
