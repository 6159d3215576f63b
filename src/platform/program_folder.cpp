#include "platform/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/platform_error.h"

namespace puffel {

namespace fs = std::filesystem;

namespace {

constexpr const char* InstalledData = "../share/puffel/";
constexpr const char* Folders[] = {"obj", "save", "haikei", "pic_hozon"};

bool isFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(PathFromUtf8(path), error);
}

std::string withSeparator(std::string folder) {
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

void makeFolders(const fs::path& folder) {
  for (const char* name : Folders) fs::create_directories(folder / name);
}

}  // namespace

ProgramFolderPlace FindProgramFolder(const std::string& executableFolder, const char* xdgDataHome,
                                     const char* home) {
  const std::string beside = withSeparator(executableFolder);
  const std::string samples = beside + InstalledData;
  if (isFolder(beside + "obj") || !isFolder(samples + "obj")) return {beside, ""};
  std::string dataHome;
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
    dataHome = xdgDataHome;
  } else if (home != nullptr && home[0] != '\0') {
    dataHome = withSeparator(home) + ".local/share";
  } else {
    throw PlatformError("ホームフォルダがわかりません (HOME)");
  }
  return {withSeparator(dataHome) + "puffel/", samples};
}

void PrepareProgramFolder(const ProgramFolderPlace& place) {
  if (place.samples.empty()) return;
  // Without their trailing separators, which MinGW's copy refuses.
  const fs::path folder = PathFromUtf8(place.folder).parent_path();
  const fs::path samples = PathFromUtf8(place.samples).parent_path();
  try {
    if (!fs::exists(folder)) {
      fs::path unfinished = folder;
      unfinished += ".tmp~";
      fs::remove_all(unfinished);
      // The copy makes the folder itself (MinGW's will not copy into one there).
      fs::create_directories(folder.parent_path());
      fs::copy(samples, unfinished, fs::copy_options::recursive);
      makeFolders(unfinished);
      fs::rename(unfinished, folder);
    }
    makeFolders(folder);
  } catch (const fs::filesystem_error& error) {
    throw PlatformError("フォルダを作成できません: " + place.folder + " (" + error.what() + ")");
  }
}

std::string DefaultProgramFolder() {
  const ProgramFolderPlace place =
      FindProgramFolder(ExecutableFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  PrepareProgramFolder(place);
  return place.folder;
}

}  // namespace puffel
