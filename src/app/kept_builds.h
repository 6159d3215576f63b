// The builds the history needs that the scene no longer holds. A build's
// pictures, file name, grid size and mesh never change, so a step names the
// build of each slot by number instead of copying it. Only adding a picture
// takes a build away: it overwrites its slot and re-dimensions the mesh
// tables to the slots below and at it, dropping the meshes above. What it
// would destroy is kept here first: the slot's pictures are moved, not
// copied; the meshes are copied once (a build is far slower than that).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "app/scene.h"
#include "platform/bitmap.h"

namespace puffel {

using SlotBuilds = std::array<uint32_t, MaxParts>;

class KeptBuilds {
 public:
  // Starts over with the slots as they are, each holding a build of its own
  // (numbers 1 to 32), and nothing kept.
  void Reset(const Scene& scene);

  // The build each slot of the scene holds.
  const SlotBuilds& SlotBuild() const { return slotBuild_; }

  // Before a picture is built into slot k: keeps slot k's pictures, file name
  // and grid size (the slot is left with empty pictures of the same canvas
  // state) and a copy of the mesh of every slot from k on.
  void KeepBeforeBuild(Scene& scene, int k);
  // After that build: a counted part is a new build of slot k. Otherwise slot
  // k gets back what it held, and the meshes what the build dropped.
  void FinishBuild(Scene& scene, int k, bool counted);

  // Makes every slot hold the build slotBuild names, and the mesh tables hold
  // the meshes of the slots below partCount. Throws std::bad_alloc when the
  // tables cannot grow.
  void Bring(Scene& scene, const SlotBuilds& slotBuild, int partCount);

  // Drops the kept builds that neither named(build) nor a slot names.
  void Forget(const std::function<bool(uint32_t)>& named);

  // How many builds are kept (for the tests).
  size_t KeptCount() const { return kept_.size(); }

 private:
  struct KeptBuild {
    bool hasPictures = false;        // the slot's pictures, file name and grid size are here
    std::array<Bitmap, 4> pictures;  // PartPicture, PartBackPicture, PartCutout, PartMask
    PartFileNameSlot fileName{};
    int32_t columns = 0;
    int32_t rows = 0;
    bool hasMesh = false;  // a copy of the mesh cells is here
    int meshColumns = 0;
    int meshRows = 0;
    std::array<std::vector<double>, 9> mesh;
  };

  void keepPictures(Scene& scene, int p);
  void keepMesh(const Scene& scene, int p);
  void takeBack(Scene& scene, int p, uint32_t build);
  void putMesh(Scene& scene, int p, const KeptBuild& kept);

  SlotBuilds slotBuild_{};
  std::array<bool, MaxParts> meshHeld_{};  // the mesh tables hold the slot's build's mesh
  uint32_t nextBuild_ = MaxParts + 1;
  std::map<uint32_t, KeptBuild> kept_;
};

}  // namespace puffel
