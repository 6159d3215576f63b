#include "app/kept_builds.h"

#include <algorithm>
#include <bit>
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

bool named(const SlotNumbers& numbers, uint32_t number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

}  // namespace

void KeptBuilds::Reset(const Scene& scene) {
  pictures_.clear();
  meshes_.clear();
  nextNumber_ = 1;
  for (int p = 0; p < MaxParts; ++p) {
    slotBuild_[p] = nextNumber_++;
    slotMesh_[p] = nextNumber_++;
    meshBefore_[p] = 0;
    meshHeld_[p] = p < scene.GridState.Size1();
  }
}

void KeptBuilds::keepPictures(Scene& scene, int p) {
  if (pictures_.contains(slotBuild_[p])) return;
  KeptPictures& kept = pictures_[slotBuild_[p]];
  const std::array<Bitmap*, 4> pictures = slotPictures(scene, p);
  for (size_t i = 0; i < pictures.size(); ++i) {
    kept.pictures[i] = std::move(*pictures[i]);
    *pictures[i] = Bitmap();
    pictures[i]->canvas = kept.pictures[i].canvas;
  }
  kept.fileName = scene.PartFileName[p];
  kept.columns = scene.GridColumns[p];
  kept.rows = scene.GridRows[p];
}

void KeptBuilds::takeBackPictures(Scene& scene, int p, uint32_t build) {
  slotBuild_[p] = build;
  const auto found = pictures_.find(build);
  if (found == pictures_.end()) return;
  KeptPictures& kept = found->second;
  const std::array<Bitmap*, 4> pictures = slotPictures(scene, p);
  for (size_t i = 0; i < pictures.size(); ++i) *pictures[i] = std::move(kept.pictures[i]);
  scene.PartFileName[p] = kept.fileName;
  scene.GridColumns[p] = kept.columns;
  scene.GridRows[p] = kept.rows;
  pictures_.erase(found);
}

const KeptBuilds::KeptMesh* KeptBuilds::keepMesh(const Scene& scene, int p) {
  const auto found = meshes_.find(slotMesh_[p]);
  if (found != meshes_.end()) return &found->second;
  if (!meshHeld_[p] || p >= scene.GridState.Size1()) return nullptr;
  // The cells a part uses: columns 0..GridColumns, rows 0..GridRows.
  KeptMesh& kept = meshes_[slotMesh_[p]];
  kept.columns = std::clamp(scene.GridColumns[p] + 1, 0, scene.GridState.Size2());
  kept.rows = std::clamp(scene.GridRows[p] + 1, 0, scene.GridState.Size3());
  const std::array<const Table3D<double>*, 9> tables = meshTables(scene);
  for (size_t t = 0; t < tables.size(); ++t) {
    std::vector<double>& cells = kept.cells[t];
    cells.resize(static_cast<size_t>(kept.columns) * kept.rows);
    const auto block = (*tables[t])[p];
    for (int i = 0; i < kept.columns; ++i) {
      std::copy_n(block[i], kept.rows, cells.data() + static_cast<size_t>(i) * kept.rows);
    }
  }
  return &kept;
}

void KeptBuilds::bringMesh(Scene& scene, int p, uint32_t mesh) {
  slotMesh_[p] = mesh;
  meshHeld_[p] = false;
  const auto found = meshes_.find(mesh);
  if (found == meshes_.end()) return;
  const KeptMesh& kept = found->second;
  Table3D<double>& shape = scene.GridState;
  if (shape.Size1() <= p || shape.Size2() < kept.columns || shape.Size3() < kept.rows) {
    // The tables only grow here; the next build sizes them for its parts.
    scene.MaxGridColumns = std::max({scene.MaxGridColumns, shape.Size2(), kept.columns});
    scene.MaxGridRows = std::max({scene.MaxGridRows, shape.Size3(), kept.rows});
    RedimMeshTables(scene, std::max(shape.Size1(), p + 1));
  }
  const std::array<Table3D<double>*, 9> tables = meshTables(scene);
  for (size_t t = 0; t < tables.size(); ++t) {
    const auto block = (*tables[t])[p];
    for (int i = 0; i < kept.columns; ++i) {
      std::copy_n(kept.cells[t].data() + static_cast<size_t>(i) * kept.rows, kept.rows, block[i]);
    }
  }
  meshHeld_[p] = true;
}

void KeptBuilds::KeepBeforeBuild(Scene& scene, int k) {
  for (int p = k; p < MaxParts; ++p) {
    keepMesh(scene, p);
    meshHeld_[p] = false;
  }
  keepPictures(scene, k);
}

void KeptBuilds::FinishBuild(Scene& scene, int k, bool counted) {
  if (!counted && !touched(scene, k)) {
    // Refused or cancelled before it wrote anything: all is given back.
    takeBackPictures(scene, k, slotBuild_[k]);
    for (int p = k; p < MaxParts; ++p) {
      if (!meshHeld_[p]) bringMesh(scene, p, slotMesh_[p]);
    }
    return;
  }
  // A build that stopped after writing into the slot leaves it there, stale,
  // as a build of its own.
  slotBuild_[k] = nextNumber_++;
  slotMesh_[k] = nextNumber_++;
  meshHeld_[k] = counted || k < scene.GridState.Size1();
}

bool KeptBuilds::touched(const Scene& scene, int k) const {
  const KeptPictures& kept = pictures_.at(slotBuild_[k]);
  if (scene.PartFileName[k] != kept.fileName) return true;
  for (const Bitmap* picture : {&scene.PartPicture[k], &scene.PartBackPicture[k],
                                &scene.PartCutout[k], &scene.PartMask[k]}) {
    if (picture->Width() != 0 || picture->Height() != 0) return true;
  }
  return false;
}

void KeptBuilds::KeepBeforeMeshChange(const Scene& scene, int k) {
  if (meshBefore_[k] != 0 || keepMesh(scene, k) == nullptr) return;
  meshBefore_[k] = slotMesh_[k];
  slotMesh_[k] = nextNumber_++;
}

void KeptBuilds::SettleMeshes(const Scene& scene) {
  const std::array<const Table3D<double>*, 9> tables = meshTables(scene);
  for (int k = 0; k < MaxParts; ++k) {
    if (meshBefore_[k] == 0) continue;
    const uint32_t before = std::exchange(meshBefore_[k], 0);
    const KeptMesh& kept = meshes_.at(before);
    bool same = true;
    for (size_t t = 0; t < tables.size() && same; ++t) {
      const auto block = (*tables[t])[k];
      for (int i = 0; i < kept.columns && same; ++i) {
        same = std::equal(block[i], block[i] + kept.rows,
                          kept.cells[t].data() + static_cast<size_t>(i) * kept.rows,
                          [](double a, double b) {
                            return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
                          });
      }
    }
    if (same) slotMesh_[k] = before;
  }
}

void KeptBuilds::Bring(Scene& scene, const SlotNumbers& slotBuild, const SlotNumbers& slotMesh,
                       int partCount) {
  for (int p = 0; p < MaxParts; ++p) {
    const bool newMesh = slotMesh_[p] != slotMesh[p];
    // The mesh is kept while the grid size is still that of its build.
    if (newMesh) keepMesh(scene, p);
    if (slotBuild_[p] != slotBuild[p]) {
      keepPictures(scene, p);
      takeBackPictures(scene, p, slotBuild[p]);
    }
    if (newMesh) bringMesh(scene, p, slotMesh[p]);
  }
  for (int p = 0; p < partCount; ++p) {
    if (!meshHeld_[p]) bringMesh(scene, p, slotMesh_[p]);
  }
}

size_t KeptBuilds::KeptBytes() const {
  size_t bytes = 0;
  for (const auto& [number, kept] : pictures_) {
    for (const Bitmap& picture : kept.pictures) {
      bytes += static_cast<size_t>(picture.Width()) * picture.Height() * sizeof(uint32_t);
    }
  }
  for (const auto& [number, kept] : meshes_) {
    for (const std::vector<double>& cells : kept.cells) bytes += cells.size() * sizeof(double);
  }
  return bytes;
}

void KeptBuilds::Forget(const std::function<bool(uint32_t)>& isNamed) {
  std::erase_if(pictures_, [&](const auto& entry) {
    return !isNamed(entry.first) && !named(slotBuild_, entry.first);
  });
  std::erase_if(meshes_, [&](const auto& entry) {
    return !isNamed(entry.first) && !named(slotMesh_, entry.first) &&
           !named(meshBefore_, entry.first);
  });
}

}  // namespace puffel
