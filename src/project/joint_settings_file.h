// The soft joints' settings beside a project (".joints"): whether the parts
// bend where they hang, and how far. The project file itself stays as it is.
#pragma once

#include <string>
#include <string_view>

#include "scene/scene.h"

namespace puffel {

struct JointSettings {
  bool soft = false;
  int reach = DefaultJointReach;  // 1..JointReachChoices
};

// The path of the settings file of the project at projectPath: its
// extension (if any) replaced by ".joints".
std::string JointSettingsFilePath(const std::string& projectPath);

// The file: "PFSJ", version 1 (4 bytes), the switch (1 byte, 0 or 1) and the
// reach (1 byte).
std::string EncodeJointSettings(const JointSettings& settings);

// Throws DamagedProject for another magic word, version or length, a switch
// other than 0 or 1, or a reach outside 1..JointReachChoices.
JointSettings DecodeJointSettings(std::string_view bytes);

}  // namespace puffel
