// The mesh stages of a build in their order: sample grid and outline analysis,
// inflation, finishing, and the move to pivot-relative coordinates. The two
// stages that search the outline are defined in part_mesh.cpp alone, so that a
// build can put the plain scans in their place; the others beside their steps.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "builder/build_progress.h"
#include "builder/grid.h"
#include "builder/nearest_outline.h"
#include "builder/outline.h"
#include "builder/outline_buckets.h"
#include "builder/outline_index.h"
#include "scene/scene.h"

namespace puffel {

// The settings of a build's mesh.
struct MeshSettings {
  int polygonSize = 8;            // TrackBar1
  bool triangularGrid = true;     // CheckBox2 not checked
  bool colourProjection = false;  // CheckBox1 checked
  double frontBulge = 1;          // BulgeExponent(TrackBar2)
  double backBulge = 1;           // BulgeExponent(TrackBar6)
};

// The settings of a build's inflation.
struct ShapeSettings {
  int earPosition = 0;    // TrackBar3
  int frontStretch = 10;  // TrackBar4
  int backStretch = 10;   // TrackBar5
};

// The outline of the part being built and its measures; lives from the grid
// stages to the finishing.
struct PartAnalysis {
  explicit PartAnalysis(OutlineList outlineList)
      : outline(std::move(outlineList)), index(outline), buckets(outline) {}
  PartAnalysis(const PartAnalysis&) = delete;
  PartAnalysis& operator=(const PartAnalysis&) = delete;

  OutlineList outline;
  OutlineIndex index;
  OutlineBuckets buckets;  // refers to outline
  OutlineMeasures measures;
};

// Lays the sample grid of part k (slot PartCount - 1, its picture and the
// BackgroundColour in place), finds the outline and measures every point's
// distance and thickness, moving progressBar on during the search.
std::unique_ptr<PartAnalysis> AnalysePart(Scene& scene, int k, const MeshSettings& settings,
                                          ProgressBarPosition& progressBar);

// Snaps the rim, inflates the inside points, stretches the depths and, with
// colour projection, sets the texture positions.
void InflatePart(Scene& scene, int k, const PartAnalysis& analysis, const MeshSettings& settings,
                 const ShapeSettings& shape);

// Clears the grid border and bleeds the outline colours around the rim into
// PartPicture[k] and PartBackPicture[k].
void FinishPartMesh(Scene& scene, int k, const PartAnalysis& analysis);

// Puts part k's frame at its pivot and moves its mesh to pivot-relative
// coordinates.
void PlacePartMesh(Scene& scene, int k);

}  // namespace puffel
