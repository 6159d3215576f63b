#include "builder/build_part.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>
#include <new>

#include "builder/picture_intake.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/picture_file.h"
#include "platform/platform_error.h"

namespace puffel {

namespace {

// Writes the four picture copies of part k into saveFolder. Every copy is
// tried; the error of the first that fails is returned for reporting later.
std::exception_ptr savePictureCopies(const Scene& scene, int k, const std::string& saveFolder) {
  const std::string base = saveFolder + ExtractFileName(PartFilePath(scene, k));
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

}  // namespace

bool FitsPartFileName(const std::string& path) { return path.size() < PartFileNameSlot().size(); }

void LoadPartPicture(Scene& scene, int k, const std::string& path) {
  scene.PartFileName[k].fill(0);
  std::copy(path.begin(), path.end(), scene.PartFileName[k].begin());
  LoadPictureFile(path, scene.PictureLoadBuffer);
  CopyPicture(scene.PictureLoadBuffer, scene.PartMask[k]);
  CopyPicture(scene.PictureLoadBuffer, scene.PartPicture[k]);
  CopyPicture(scene.PictureLoadBuffer, scene.PartCutout[k]);
}

void TakeFrontAsBackPicture(Scene& scene, int k) {
  // Loading the same file again would give the picture the buffer holds.
  TakeScaledPicture(scene.PictureLoadBuffer, scene.PartPicture[k].Width(),
                    scene.PartPicture[k].Height(), scene.PartBackPicture[k]);
}

void LoadPartBackPicture(Scene& scene, int k, const std::string& path) {
  LoadPictureFile(path, scene.PictureLoadBuffer);
  TakeScaledPicture(scene.PictureLoadBuffer, scene.PartPicture[k].Width(),
                    scene.PartPicture[k].Height(), scene.PartBackPicture[k]);
}

void BuildPartMesh(Scene& scene, int k, const MeshSettings& mesh, const ShapeSettings& shape,
                   const std::string& saveFolder, const BuildProgress& progress) {
  scene.BackgroundColour = SwapRedBlue(scene.PartPicture[k].Row(0)[0]);
  MakeCutoutAndMask(scene.PartCutout[k], scene.PartMask[k], scene.BackgroundColour);
  PlacePart(scene, k);

  // Out of memory, the part is taken back and the grid maxima restored; what
  // stays in the slot is stale, as in any slot at or above PartCount.
  const int32_t maxColumns = scene.MaxGridColumns;
  const int32_t maxRows = scene.MaxGridRows;
  ProgressBarPosition bar{progress};
  std::exception_ptr copyError;
  ++scene.PartCount;
  try {
    if (progress.partPlaced) progress.partPlaced();
    MoveProgress(bar, 5);
    {  // the outline and its measures live through the mesh stages only
      const std::unique_ptr<PartAnalysis> analysis = AnalysePart(scene, k, mesh, bar);
      InflatePart(scene, k, *analysis, mesh, shape);
      FinishPartMesh(scene, k, *analysis);
    }
    copyError = savePictureCopies(scene, k, saveFolder);
    PlacePartMesh(scene, k);
  } catch (const std::bad_alloc&) {
    scene.PartCount = k;
    scene.MaxGridColumns = maxColumns;
    scene.MaxGridRows = maxRows;
    MoveProgress(bar, 0);
    throw;
  }

  MoveProgress(bar, 100);
  MoveProgress(bar, 0);

  Relink(scene);
  if (copyError) std::rethrow_exception(copyError);
}

void BuildPartFromPicture(Scene& scene, int k, const std::string& path, const MeshSettings& mesh,
                          const ShapeSettings& shape, const std::string& saveFolder,
                          const BuildProgress& progress) {
  LoadPartPicture(scene, k, path);
  TakeFrontAsBackPicture(scene, k);
  BuildPartMesh(scene, k, mesh, shape, saveFolder, progress);
}

}  // namespace puffel
