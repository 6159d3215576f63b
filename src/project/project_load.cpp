#include "project/project_load.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "builder/picture_intake.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "project/animation_file.h"
#include "project/joint_settings_file.h"
#include "project/project_layout.h"
#include "render/render_scene.h"
#include "scene/light_material.h"

namespace puffel {

namespace {

constexpr int32_t MaxGridSide = 65536;
constexpr int64_t MaxGridCells = int64_t{1} << 25;
constexpr size_t GridSizeOffset = 128;  // of nx and ny within a part record

// Reads little-endian fields in order; running short of bytes means the file
// is damaged.
struct GridSize {
  int32_t nx = 0;
  int32_t ny = 0;
};

GridSize readGridSize(ByteReader& in) {
  const int32_t nx = in.int32();
  const int32_t ny = in.int32();
  if (nx < 1 || nx > MaxGridSide || ny < 1 || ny > MaxGridSide || int64_t{nx} * ny > MaxGridCells) {
    throw DamagedProject();
  }
  return {nx, ny};
}

// The grid sizes of the part records, once every record is known to be
// complete: the mesh is sized from them, so they are checked before it is made.
// The mesh gives every part the largest width and the largest height of all, so
// a wide grid and a tall one in a small file would ask for a mesh of their
// product for every part. A mesh is refused when it comes to more than 2^25
// cells and more than MaxParts times the cells the file itself holds: a scene
// whose largest part is also its widest and tallest, as every scene of
// similar pictures is, never is, and no file asks for memory out of all
// proportion to its size.
std::array<GridSize, MaxParts> checkPartRecords(std::string_view bytes, int parts) {
  std::array<GridSize, MaxParts> sizes;
  ByteReader in(bytes, PartRecordsStart);
  int64_t widest = 0;
  int64_t tallest = 0;
  int64_t held = 0;
  for (int p = 0; p < parts; ++p) {
    in.skip(GridSizeOffset);
    sizes[p] = readGridSize(in);
    in.skip(VertexBytes * static_cast<size_t>(sizes[p].nx) * static_cast<size_t>(sizes[p].ny));
    widest = std::max<int64_t>(widest, sizes[p].nx + 1);
    tallest = std::max<int64_t>(tallest, sizes[p].ny + 1);
    held += (int64_t{sizes[p].nx} + 1) * (sizes[p].ny + 1);
  }
  const int64_t mesh = parts * widest * tallest;
  if (mesh > MaxGridCells && mesh > MaxParts * held) throw DamagedProject();
  return sizes;
}

// Where the wheel's marks can lie: strictly inside radius 40 of its centre.
bool onWheel(int32_t x, int32_t y) {
  const int64_t dx = int64_t{x} - 40;
  const int64_t dy = int64_t{y} - 40;
  return dx * dx + dy * dy < 1600;
}

bool inMaterialBox(int32_t x, int32_t y) { return 0 <= x && x <= 78 && 1 <= y && y <= 79; }

void readHeader(ByteReader& in, Scene& loaded) {
  loaded.PartCount = in.int32();
  if (loaded.PartCount < 0 || loaded.PartCount > MaxParts) throw DamagedProject();
  loaded.View3D = in.flag() == 1;
  for (int32_t* mark :
       {&loaded.LightMarkX, &loaded.LightMarkY, &loaded.ColorMarkX, &loaded.ColorMarkY,
        &loaded.DiffuseMarkX, &loaded.DiffuseMarkY, &loaded.SpecularMarkX, &loaded.SpecularMarkY,
        &loaded.FadeMarkX, &loaded.FadeMarkY}) {
    *mark = in.int32();
  }
  loaded.LightBehind = in.flag() == 1;
  if (!onWheel(loaded.LightMarkX, loaded.LightMarkY) ||
      !onWheel(loaded.ColorMarkX, loaded.ColorMarkY) ||
      !inMaterialBox(loaded.DiffuseMarkX, loaded.DiffuseMarkY) ||
      !inMaterialBox(loaded.SpecularMarkX, loaded.SpecularMarkY) ||
      !inMaterialBox(loaded.FadeMarkX, loaded.FadeMarkY)) {
    throw DamagedProject();
  }
}

void readFileNamesAndSkeleton(ByteReader& in, Scene& loaded) {
  for (PartFileNameSlot& slot : loaded.PartFileName) {
    for (char& c : slot) c = static_cast<char>(in.byte());
  }
  for (int r = 0; r < LinkSize; ++r) {
    for (int c = 0; c < LinkSize; ++c) {
      loaded.ParentMatrix[r][c] = in.flag();
      loaded.AncestorMatrix[r][c] = in.flag();
    }
  }
}

void readPoint(ByteReader& in, Point3& point, double halfWidth, double halfHeight) {
  point.x = in.real() + halfWidth;
  point.y = in.real() + halfHeight;
  point.z = in.real();
}

void readPartRecord(ByteReader& in, Scene& loaded, int p, double halfWidth, double halfHeight) {
  Frame& frame = loaded.PartFrame[p];
  for (Point3* point : {&frame.Origin, &frame.TipX, &frame.TipY, &frame.TipZ}) {
    readPoint(in, *point, halfWidth, halfHeight);
  }
  loaded.PartOffsetX[p] = in.real() + halfWidth;
  loaded.PartOffsetY[p] = in.real() + halfHeight;
  loaded.PartPosX[p] = in.real() + halfWidth;
  loaded.PartPosY[p] = in.real() + halfHeight;
  loaded.GridColumns[p] = in.int32();
  loaded.GridRows[p] = in.int32();
  const std::array<MeshTable*, 9> fields = VertexFields(loaded);
  for (int i = 0; i < loaded.GridColumns[p]; ++i) {
    for (int j = 0; j < loaded.GridRows[p]; ++j) {
      for (MeshTable* table : fields) (*table)[p][i][j] = in.real();
    }
  }
}

// target takes source's pixels and keeps its own canvas state.
void takePicture(Bitmap& target, Bitmap& source) noexcept {
  std::swap(target, source);
  std::swap(target.canvas, source.canvas);
}

}  // namespace

std::unique_ptr<Scene> DecodeProject(std::string_view bytes, int viewWidth, int viewHeight) {
  auto loaded = std::make_unique<Scene>();
  ByteReader in(bytes, 0);
  readHeader(in, *loaded);
  readFileNamesAndSkeleton(in, *loaded);

  const int parts = loaded->PartCount;
  const std::array<GridSize, MaxParts> sizes = checkPartRecords(bytes, parts);
  for (int p = 0; p < parts; ++p) {
    loaded->MaxGridColumns = std::max(loaded->MaxGridColumns, sizes[p].nx + 1);
    loaded->MaxGridRows = std::max(loaded->MaxGridRows, sizes[p].ny + 1);
  }
  RedimMeshTables(*loaded, parts);

  const double halfWidth = viewWidth / 2.0;
  const double halfHeight = viewHeight / 2.0;
  for (int p = 0; p < parts; ++p) readPartRecord(in, *loaded, p, halfWidth, halfHeight);
  return loaded;
}

void ReadPictureCopies(Scene& loaded, const PictureCopyReader& read) {
  for (int p = 0; p < loaded.PartCount; ++p) {
    const std::string name = ExtractFileName(PartFilePath(loaded, p));
    Bitmap* const copies[] = {&loaded.PartCutout[p], &loaded.PartMask[p], &loaded.PartPicture[p],
                              &loaded.PartBackPicture[p]};
    for (int digit = 1; digit <= 4; ++digit) read(name + std::to_string(digit), *copies[digit - 1]);

    // A copy edited by hand to another size would be read outside its pixels
    // by every stage that takes the front picture's size for all four.
    const Bitmap& front = loaded.PartPicture[p];
    for (Bitmap* copy : {copies[0], copies[1], copies[3]}) {
      if (copy->Width() == front.Width() && copy->Height() == front.Height()) continue;
      Bitmap scaled;
      TakeScaledPicture(*copy, front.Width(), front.Height(), scaled);
      takePicture(*copy, scaled);
    }
  }
}

void CommitProject(Scene& scene, Scene& loaded) noexcept {
  ++scene.LoadedProjects;
  std::swap(scene.PartCount, loaded.PartCount);
  std::swap(scene.View3D, loaded.View3D);
  std::swap(scene.LightMarkX, loaded.LightMarkX);
  std::swap(scene.LightMarkY, loaded.LightMarkY);
  std::swap(scene.ColorMarkX, loaded.ColorMarkX);
  std::swap(scene.ColorMarkY, loaded.ColorMarkY);
  std::swap(scene.DiffuseMarkX, loaded.DiffuseMarkX);
  std::swap(scene.DiffuseMarkY, loaded.DiffuseMarkY);
  std::swap(scene.SpecularMarkX, loaded.SpecularMarkX);
  std::swap(scene.SpecularMarkY, loaded.SpecularMarkY);
  std::swap(scene.FadeMarkX, loaded.FadeMarkX);
  std::swap(scene.FadeMarkY, loaded.FadeMarkY);
  std::swap(scene.LightBehind, loaded.LightBehind);
  std::swap(scene.PartFileName, loaded.PartFileName);
  std::swap(scene.ParentMatrix, loaded.ParentMatrix);
  std::swap(scene.AncestorMatrix, loaded.AncestorMatrix);
  std::swap(scene.AnimationKeys, loaded.AnimationKeys);
  std::swap(scene.KeyInterval, loaded.KeyInterval);
  std::swap(scene.LoopLength, loaded.LoopLength);
  scene.SelectedKey = -1;
  std::swap(scene.SoftJoints, loaded.SoftJoints);
  std::swap(scene.JointReach, loaded.JointReach);
  for (int p = 0; p < scene.PartCount; ++p) {
    std::swap(scene.PartFrame[p], loaded.PartFrame[p]);
    std::swap(scene.PartOffsetX[p], loaded.PartOffsetX[p]);
    std::swap(scene.PartOffsetY[p], loaded.PartOffsetY[p]);
    std::swap(scene.PartPosX[p], loaded.PartPosX[p]);
    std::swap(scene.PartPosY[p], loaded.PartPosY[p]);
    std::swap(scene.GridColumns[p], loaded.GridColumns[p]);
    std::swap(scene.GridRows[p], loaded.GridRows[p]);
    takePicture(scene.PartCutout[p], loaded.PartCutout[p]);
    takePicture(scene.PartMask[p], loaded.PartMask[p]);
    takePicture(scene.PartPicture[p], loaded.PartPicture[p]);
    takePicture(scene.PartBackPicture[p], loaded.PartBackPicture[p]);
  }
  std::swap(scene.MaxGridColumns, loaded.MaxGridColumns);
  std::swap(scene.MaxGridRows, loaded.MaxGridRows);
  const std::array<MeshTable*, 9> to = VertexFields(scene);
  const std::array<MeshTable*, 9> from = VertexFields(loaded);
  for (size_t f = 0; f < to.size(); ++f) std::swap(*to[f], *from[f]);
}

void LoadProjectFile(Scene& scene, const std::string& path, const std::string& programFolder) {
  // The scene read stands beside the present one until it replaces it; the
  // sides kept from the last redraw would only add to that peak.
  ReleaseRenderMemory();
  const std::string bytes = ReadFileBytes(path);
  const std::unique_ptr<Scene> loaded = DecodeProject(bytes, scene.ViewWidth, scene.ViewHeight);
  const std::string copies = programFolder + "save/";
  ReadPictureCopies(*loaded, [&copies](const std::string& name, Bitmap& picture) {
    LoadBitmapFile(copies + name, picture);
  });
  const std::string animationPath = AnimationFilePath(path);
  if (FileExists(animationPath)) {
    Animation animation = DecodeAnimation(ReadFileBytes(animationPath), loaded->PartCount);
    loaded->AnimationKeys = std::move(animation.keys);
    loaded->KeyInterval = animation.interval;
    loaded->LoopLength = animation.loopLength;
  }
  const std::string jointsPath = JointSettingsFilePath(path);
  if (FileExists(jointsPath)) {
    const JointSettings joints = DecodeJointSettings(ReadFileBytes(jointsPath));
    loaded->SoftJoints = joints.soft;
    loaded->JointReach = joints.reach;
  }
  CommitProject(scene, *loaded);
  UpdateMaterial(scene);
  UpdateLight(scene);
  UpdateLightColour(scene);
}

}  // namespace puffel
