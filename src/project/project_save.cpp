#include "project/project_save.h"

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "platform/file_set.h"
#include "platform/paths.h"
#include "project/animation_file.h"
#include "project/byte_fields.h"
#include "project/joint_settings_file.h"
#include "project/project_layout.h"

namespace puffel {

namespace {

size_t projectSize(const Scene& scene) {
  size_t size = PartRecordsStart;
  for (int p = 0; p < scene.PartCount; ++p) {
    size += RecordHeadBytes + VertexBytes * static_cast<size_t>(scene.GridColumns[p]) *
                                  static_cast<size_t>(scene.GridRows[p]);
  }
  return size;
}

void writePoint(ByteWriter& out, const Point3& point, double halfWidth, double halfHeight) {
  out.real(point.x - halfWidth);
  out.real(point.y - halfHeight);
  out.real(point.z);
}

}  // namespace

std::string EncodeProject(const Scene& scene) {
  ByteWriter out(projectSize(scene));
  out.int32(scene.PartCount);
  out.byte(scene.View3D ? 1 : 0);
  for (int32_t mark : {scene.LightMarkX, scene.LightMarkY, scene.ColorMarkX, scene.ColorMarkY,
                       scene.DiffuseMarkX, scene.DiffuseMarkY, scene.SpecularMarkX,
                       scene.SpecularMarkY, scene.FadeMarkX, scene.FadeMarkY}) {
    out.int32(mark);
  }
  out.byte(scene.LightBehind ? 1 : 0);
  for (const PartFileNameSlot& slot : scene.PartFileName) {
    for (char c : slot) out.byte(static_cast<uint8_t>(c));
  }
  for (int r = 0; r < LinkSize; ++r) {
    for (int c = 0; c < LinkSize; ++c) {
      out.byte(scene.ParentMatrix[r][c]);
      out.byte(scene.AncestorMatrix[r][c]);
    }
  }

  const double halfWidth = scene.ViewWidth / 2.0;
  const double halfHeight = scene.ViewHeight / 2.0;
  const std::array<const MeshTable*, 9> vertexTables = VertexFields(scene);
  for (int p = 0; p < scene.PartCount; ++p) {
    const Frame& frame = scene.PartFrame[p];
    for (const Point3* point : {&frame.Origin, &frame.TipX, &frame.TipY, &frame.TipZ}) {
      writePoint(out, *point, halfWidth, halfHeight);
    }
    out.real(scene.PartOffsetX[p] - halfWidth);
    out.real(scene.PartOffsetY[p] - halfHeight);
    out.real(scene.PartPosX[p] - halfWidth);
    out.real(scene.PartPosY[p] - halfHeight);
    const int nx = scene.GridColumns[p];
    const int ny = scene.GridRows[p];
    out.int32(nx);
    out.int32(ny);
    for (int i = 0; i < nx; ++i) {
      for (int j = 0; j < ny; ++j) {
        for (const MeshTable* table : vertexTables) out.real((*table)[p][i][j]);
      }
    }
  }
  return out.take();
}

std::string ProjectFilePath(const std::string& chosen) {
  return AppendMissingExtension(chosen, ".dat", ".DAT");
}

void WriteProjectFiles(const Scene& scene, const std::string& path) {
  FileSet files;
  // An animation file left from an earlier save is replaced by one without
  // keys, so that it cannot bring back keys this project does not have.
  const std::string animationPath = AnimationFilePath(path);
  if (!scene.AnimationKeys.empty() || FileExists(animationPath)) {
    const std::string animation = EncodeAnimation(
        {scene.KeyInterval, scene.AnimationKeys, scene.LoopLength}, scene.PartCount);
    files.Add(animationPath).Write(animation.data(), animation.size());
  }
  // So is a settings file, which would otherwise bring back soft joints.
  const std::string jointsPath = JointSettingsFilePath(path);
  if (scene.SoftJoints || scene.JointReach != DefaultJointReach || FileExists(jointsPath)) {
    const std::string joints = EncodeJointSettings({scene.SoftJoints, scene.JointReach});
    files.Add(jointsPath).Write(joints.data(), joints.size());
  }
  const std::string project = EncodeProject(scene);
  files.Add(path).Write(project.data(), project.size());
  files.Commit();
}

}  // namespace puffel
