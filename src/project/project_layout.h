// The byte layout of a project file, shared by the saver and the loader: a
// 46-byte header, the 32 file-name slots, the interleaved skeleton tables and
// one record per part, all little-endian with no padding.
#pragma once

#include <array>
#include <cstddef>

#include "scene/scene.h"

namespace puffel {

constexpr size_t ProjectHeaderBytes = 46;  // part count, view flag, ten marks, light flag
constexpr size_t FileNameBytes = MaxParts * sizeof(PartFileNameSlot);
constexpr size_t SkeletonBytes = 2 * LinkSize * LinkSize;  // parent, then ancestor cell
constexpr size_t PartRecordsStart = ProjectHeaderBytes + FileNameBytes + SkeletonBytes;
constexpr size_t RecordHeadBytes = 136;  // frame, offset, pivot, grid size
constexpr size_t VertexBytes = 9 * 8;    // the nine mesh values of one grid vertex

using MeshTable = decltype(Scene::GridState);

// The nine mesh tables in the order a stored vertex holds them.
inline std::array<MeshTable*, 9> VertexFields(Scene& scene) {
  return {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX,
          &scene.BackY,     &scene.BackZ,  &scene.TexU,   &scene.TexV};
}
inline std::array<const MeshTable*, 9> VertexFields(const Scene& scene) {
  return {&scene.GridState, &scene.FrontX, &scene.FrontY, &scene.FrontZ, &scene.BackX,
          &scene.BackY,     &scene.BackZ,  &scene.TexU,   &scene.TexV};
}

}  // namespace puffel
