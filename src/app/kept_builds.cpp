#include "app/kept_builds.h"

#include <algorithm>
#include <utility>

namespace puffel {

namespace {

std::array<Bitmap*, 4> slotPictures(Scene& scene, int p) {
  return {&scene.PartPicture[p], &scene.PartBackPicture[p], &scene.PartCutout[p],
          &scene.PartMask[p]};
}

std::array<Table3D<double>*, 9> meshTables(Scene& scene) {
  return {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX,
          &scene.BackY,     &scene.BackZ,  &scene.TexU,   &scene.TexV};
}

std::array<const Table3D<double>*, 9> meshTables(const Scene& scene) {
  return {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX,
          &scene.BackY,     &scene.BackZ,  &scene.TexU,   &scene.TexV};
}

}  // namespace

void KeptBuilds::Reset(const Scene& scene) {
  kept_.clear();
  for (int p = 0; p < MaxParts; ++p) {
    slotBuild_[p] = static_cast<uint32_t>(p + 1);
    meshHeld_[p] = p < scene.GridState.Size1();
  }
  nextBuild_ = MaxParts + 1;
}

void KeptBuilds::keepPictures(Scene& scene, int p) {
  KeptBuild& kept = kept_[slotBuild_[p]];
  if (kept.hasPictures) return;
  const std::array<Bitmap*, 4> pictures = slotPictures(scene, p);
  for (size_t i = 0; i < pictures.size(); ++i) {
    kept.pictures[i] = std::move(*pictures[i]);
    *pictures[i] = Bitmap();
    pictures[i]->canvas = kept.pictures[i].canvas;
  }
  kept.fileName = scene.PartFileName[p];
  kept.columns = scene.GridColumns[p];
  kept.rows = scene.GridRows[p];
  kept.hasPictures = true;
}

void KeptBuilds::keepMesh(const Scene& scene, int p) {
  if (!meshHeld_[p]) return;
  meshHeld_[p] = false;
  KeptBuild& kept = kept_[slotBuild_[p]];
  if (kept.hasMesh || p >= scene.GridState.Size1()) return;
  // The cells a part uses: columns 0..GridColumns, rows 0..GridRows.
  const int columns = std::clamp(scene.GridColumns[p] + 1, 0, scene.GridState.Size2());
  const int rows = std::clamp(scene.GridRows[p] + 1, 0, scene.GridState.Size3());
  const std::array<const Table3D<double>*, 9> tables = meshTables(scene);
  for (size_t t = 0; t < tables.size(); ++t) {
    std::vector<double>& cells = kept.mesh[t];
    cells.resize(static_cast<size_t>(columns) * rows);
    const auto block = (*tables[t])[p];
    for (int i = 0; i < columns; ++i) {
      std::copy_n(block[i], rows, cells.data() + static_cast<size_t>(i) * rows);
    }
  }
  kept.meshColumns = columns;
  kept.meshRows = rows;
  kept.hasMesh = true;
}

void KeptBuilds::putMesh(Scene& scene, int p, const KeptBuild& kept) {
  Table3D<double>& shape = scene.GridState;
  if (shape.Size1() <= p || shape.Size2() < kept.meshColumns || shape.Size3() < kept.meshRows) {
    // The tables only grow here; the next build sizes them for its parts.
    scene.MaxGridColumns = std::max({scene.MaxGridColumns, shape.Size2(), kept.meshColumns});
    scene.MaxGridRows = std::max({scene.MaxGridRows, shape.Size3(), kept.meshRows});
    RedimMeshTables(scene, std::max(shape.Size1(), p + 1));
  }
  const std::array<Table3D<double>*, 9> tables = meshTables(scene);
  for (size_t t = 0; t < tables.size(); ++t) {
    const auto block = (*tables[t])[p];
    for (int i = 0; i < kept.meshColumns; ++i) {
      std::copy_n(kept.mesh[t].data() + static_cast<size_t>(i) * kept.meshRows, kept.meshRows,
                  block[i]);
    }
  }
}

void KeptBuilds::takeBack(Scene& scene, int p, uint32_t build) {
  slotBuild_[p] = build;
  meshHeld_[p] = false;
  const auto found = kept_.find(build);
  if (found == kept_.end()) return;
  KeptBuild& kept = found->second;
  if (kept.hasPictures) {
    const std::array<Bitmap*, 4> pictures = slotPictures(scene, p);
    for (size_t i = 0; i < pictures.size(); ++i) {
      *pictures[i] = std::move(kept.pictures[i]);
      kept.pictures[i] = Bitmap();
    }
    scene.PartFileName[p] = kept.fileName;
    scene.GridColumns[p] = kept.columns;
    scene.GridRows[p] = kept.rows;
    kept.hasPictures = false;
  }
  if (kept.hasMesh) {
    putMesh(scene, p, kept);
    meshHeld_[p] = true;
  }
}

void KeptBuilds::KeepBeforeBuild(Scene& scene, int k) {
  keepPictures(scene, k);
  for (int p = k; p < MaxParts; ++p) keepMesh(scene, p);
}

void KeptBuilds::FinishBuild(Scene& scene, int k, bool counted) {
  if (counted) {
    slotBuild_[k] = nextBuild_++;
    meshHeld_[k] = true;
    return;
  }
  takeBack(scene, k, slotBuild_[k]);
  for (int p = k + 1; p < MaxParts; ++p) {
    const auto found = kept_.find(slotBuild_[p]);
    if (meshHeld_[p] || found == kept_.end() || !found->second.hasMesh) continue;
    putMesh(scene, p, found->second);
    meshHeld_[p] = true;
  }
}

void KeptBuilds::Bring(Scene& scene, const SlotBuilds& slotBuild, int partCount) {
  for (int p = 0; p < MaxParts; ++p) {
    if (slotBuild_[p] == slotBuild[p]) continue;
    keepPictures(scene, p);
    keepMesh(scene, p);
    takeBack(scene, p, slotBuild[p]);
  }
  for (int p = 0; p < partCount; ++p) {
    const auto found = kept_.find(slotBuild_[p]);
    if (meshHeld_[p] || found == kept_.end() || !found->second.hasMesh) continue;
    putMesh(scene, p, found->second);
    meshHeld_[p] = true;
  }
}

void KeptBuilds::Forget(const std::function<bool(uint32_t)>& named) {
  std::erase_if(kept_, [&](const auto& entry) {
    const uint32_t build = entry.first;
    return !named(build) &&
           std::find(slotBuild_.begin(), slotBuild_.end(), build) == slotBuild_.end();
  });
}

}  // namespace puffel
