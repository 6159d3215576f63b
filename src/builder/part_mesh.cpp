#include "builder/part_mesh.h"

#include <optional>

#include "builder/finish.h"

namespace puffel {

std::unique_ptr<PartAnalysis> AnalysePart(Scene& scene, int k, const MeshSettings& settings,
                                          ProgressBarPosition& progressBar) {
  const Bitmap& picture = scene.PartPicture[k];
  const GridSpacing spacing = ComputeGridSpacing(settings.polygonSize, settings.triangularGrid);
  const double f = ReachFactor(settings.polygonSize);
  const double f2 = f * f;
  SetUpGridTables(scene, k, ComputeGridExtent(picture.Width(), picture.Height(), spacing));

  auto analysis = std::make_unique<PartAnalysis>(FindOutline(picture, scene.BackgroundColour));
  PlaceGridPoints(scene, k, spacing, settings.colourProjection);
  ClassifyGridPoints(scene, k, scene.BackgroundColour);
  PrepareMeasures(scene, k, analysis->outline, analysis->measures);
  FindNearestOutlines(scene, k, analysis->outline, analysis->index, f2, analysis->measures,
                      progressBar);
  return analysis;
}

void FinishPartMesh(Scene& scene, int k, const PartAnalysis& analysis) {
  ClearGridBorder(scene, k);
  // Neighbouring pixels have neighbouring nearest outline pixels: each search
  // starts from the last one found.
  int last = -1;
  int slot = -1;
  BleedRimTriangles(scene, k, RimRectangles(scene, k), analysis.outline, [&](int x, int y) {
    std::optional<OutlineMatch> match = analysis.buckets.FindNearest(x, y, last);
    if (!match) {
      match = analysis.index.FindNearest(x, y, slot);
      if (match->n >= 0) slot = match->slot;
    }
    if (match->n >= 0) last = match->n;
    return match->n;
  });
}

}  // namespace puffel
