#include "project/joint_settings_file.h"

#include <cstdint>

#include "platform/paths.h"
#include "project/byte_fields.h"

namespace puffel {

namespace {

constexpr char Magic[] = {'P', 'F', 'S', 'J'};
constexpr int32_t Version = 1;
constexpr size_t FileBytes = 10;

}  // namespace

std::string JointSettingsFilePath(const std::string& projectPath) {
  const std::string ext = ExtractFileExt(projectPath);
  return projectPath.substr(0, projectPath.size() - ext.size()) + ".joints";
}

std::string EncodeJointSettings(const JointSettings& settings) {
  ByteWriter out(FileBytes);
  for (const char c : Magic) out.byte(static_cast<uint8_t>(c));
  out.int32(Version);
  out.byte(settings.soft ? 1 : 0);
  out.byte(static_cast<uint8_t>(settings.reach));
  return out.take();
}

JointSettings DecodeJointSettings(std::string_view bytes) {
  if (bytes.size() != FileBytes) throw DamagedProject();
  ByteReader in(bytes, 0);
  for (const char c : Magic) {
    if (in.byte() != static_cast<uint8_t>(c)) throw DamagedProject();
  }
  if (in.int32() != Version) throw DamagedProject();
  JointSettings settings;
  settings.soft = in.flag() == 1;
  settings.reach = in.byte();
  if (settings.reach < 1 || settings.reach > JointReachChoices) throw DamagedProject();
  return settings;
}

}  // namespace puffel
