// The builds the history needs that the scene no longer holds. A step names
// what each slot holds by number instead of copying it: the build (its four
// pictures, file name and grid size, which never change) and the version of
// its mesh (which only a joint-marker drag in the flat view changes, shifting
// the pivot-relative mesh). Two things take them away: adding a picture
// overwrites its slot and re-dimensions the mesh tables to the slots up to
// it, dropping the meshes above; a marker drag changes a mesh. What they
// would destroy is kept here first: pictures are moved, not copied; a mesh is
// copied once per version (a build or a drag is far slower than that).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/bitmap.h"
#include "scene/scene.h"

namespace puffel {

using SlotNumbers = std::array<uint32_t, MaxParts>;

class KeptBuilds {
 public:
  // Starts over with the slots as they are, each holding a build and a mesh
  // of its own, and nothing kept.
  void Reset(const Scene& scene);

  // The build and the mesh version each slot of the scene holds.
  const SlotNumbers& SlotBuild() const { return slotBuild_; }
  const SlotNumbers& SlotMesh() const { return slotMesh_; }

  // Before a picture is built into slot k: keeps slot k's pictures, file name
  // and grid size (the slot is left with empty pictures of the same canvas
  // state) and the mesh of every slot from k on.
  void KeepBeforeBuild(Scene& scene, int k);
  // After that build: a counted part is a new build of slot k, and so is
  // what a build that stopped half-way wrote into the slot. A build that
  // wrote nothing (refused, cancelled) gives slot k back what it held, and
  // the mesh tables what they held.
  void FinishBuild(Scene& scene, int k, bool counted);

  // Before a gesture may change part k's mesh: keeps it; the slot holds a new
  // version from now on, until SettleMesh finds it unchanged.
  void KeepBeforeMeshChange(const Scene& scene, int k);
  // After the gesture: a mesh equal to the version kept is that version again.
  void SettleMeshes(const Scene& scene);

  // Makes every slot hold the build and mesh version named, and the mesh
  // tables hold the meshes of the slots below partCount. Throws
  // std::bad_alloc when the tables cannot grow.
  void Bring(Scene& scene, const SlotNumbers& slotBuild, const SlotNumbers& slotMesh,
             int partCount);

  // Drops what is kept of builds and mesh versions that neither named(number)
  // nor a slot names.
  void Forget(const std::function<bool(uint32_t)>& isNamed);

  // How many picture sets and meshes are kept (for the tests), and their bytes.
  size_t KeptCount() const { return pictures_.size() + meshes_.size(); }
  size_t KeptBytes() const;

 private:
  struct KeptPictures {
    std::array<Bitmap, 4> pictures;  // PartPicture, PartBackPicture, PartCutout, PartMask
    PartFileNameSlot fileName{};
    int32_t columns = 0;
    int32_t rows = 0;
  };
  struct KeptMesh {
    int columns = 0;  // cells kept per table: columns x rows
    int rows = 0;
    std::array<std::vector<double>, 9> cells;
  };

  bool touched(const Scene& scene, int k) const;
  void keepPictures(Scene& scene, int p);
  void takeBackPictures(Scene& scene, int p, uint32_t build);
  const KeptMesh* keepMesh(const Scene& scene, int p);
  void bringMesh(Scene& scene, int p, uint32_t mesh);

  SlotNumbers slotBuild_{};
  SlotNumbers slotMesh_{};
  SlotNumbers meshBefore_{};               // the version a gesture may be changing, 0 for none
  std::array<bool, MaxParts> meshHeld_{};  // the mesh tables hold slot p's mesh version
  uint32_t nextNumber_ = 1;
  std::map<uint32_t, KeptPictures> pictures_;  // builds not in their slot
  std::map<uint32_t, KeptMesh> meshes_;        // mesh versions, in the tables or not
};

}  // namespace puffel
