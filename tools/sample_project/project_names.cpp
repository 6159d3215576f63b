// puffel-project-names: gives each part of a project file the name
// "obj/" + its picture's file name in place of the path the file dialog
// returned, so that a project made in a scratch folder carries no folder of
// the machine that made it. The load reads the picture copies by file name,
// which stays as it is.
//
//   puffel-project-names PROJECT.dat
#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>

#include "platform/paths.h"
#include "platform/platform_error.h"
#include "project/project_layout.h"

namespace {

constexpr size_t SlotBytes = sizeof(puffel::PartFileNameSlot);

// The slot's path as obj/ and its file name; an empty slot stays empty.
void renameSlot(char* slot) {
  const std::string path(slot, strnlen(slot, SlotBytes));
  if (path.empty()) return;
  const std::string name = "obj/" + path.substr(path.find_last_of("/\\") + 1);
  std::fill(slot, slot + SlotBytes, '\0');
  std::copy(name.begin(), name.end(), slot);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: puffel-project-names PROJECT.dat\n";
    return 2;
  }
  try {
    std::string project = puffel::ReadFileBytes(argv[1]);
    if (project.size() < puffel::ProjectHeaderBytes + puffel::FileNameBytes) {
      std::cerr << argv[1] << ": not a project file\n";
      return 1;
    }
    for (int k = 0; k < puffel::MaxParts; ++k) {
      renameSlot(project.data() + puffel::ProjectHeaderBytes + static_cast<size_t>(k) * SlotBytes);
    }
    puffel::WriteFileBytes(argv[1], project);
  } catch (const puffel::PlatformError& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
