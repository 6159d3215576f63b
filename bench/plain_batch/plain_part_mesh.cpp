// The searched mesh stages with the plain scans of the tests, for
// puffel-batch-plain: the whole program with every nearest-outline search
// done against the whole outline list, the measure the fast searches are
// compared with. Linked ahead of the core library, these definitions take the
// place of builder/part_mesh.cpp, which the linker then leaves out.
#include <memory>
#include <utility>

#include "builder/part_mesh.h"
#include "builder/plain_scan.h"

namespace puffel {

std::unique_ptr<PartAnalysis> AnalysePart(Scene& scene, int k, const MeshSettings& settings,
                                          ProgressBarPosition&) {
  test::PlainAnalysis plain = test::PlainAnalysePart(scene, k, settings);
  auto analysis = std::make_unique<PartAnalysis>(std::move(plain.outline));
  analysis->measures = std::move(plain.measures);
  return analysis;
}

void FinishPartMesh(Scene& scene, int k, const PartAnalysis& analysis) {
  test::PlainFinishPartMesh(scene, k, analysis.outline);
}

}  // namespace puffel
