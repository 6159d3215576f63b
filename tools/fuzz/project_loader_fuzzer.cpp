// Fuzz entry for the project-file loader: any bytes are either refused as a
// damaged project or decoded into a scene, whose picture copies are then read
// and which then replaces another scene. The copies come in two sizes, so
// that the scaling of copies unlike the front picture runs too.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "scene/scene.h"
#include "project/project_load.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace puffel;
  std::unique_ptr<Scene> loaded;
  try {
    loaded = DecodeProject(std::string_view(reinterpret_cast<const char*>(data), size), 400, 400);
  } catch (const DamagedProject&) {
    return 0;
  }
  ReadPictureCopies(*loaded, [](const std::string& name, Bitmap& picture) {
    picture.SetSize(name.back() == '3' ? 3 : 5, 2);
    picture.Fill(0x123456);
  });
  const auto scene = std::make_unique<Scene>();
  CommitProject(*scene, *loaded);
  return 0;
}
