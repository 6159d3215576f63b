#include "support/image_magick.h"

#include <sstream>
#include <stdexcept>

#include "support/run_command.h"

namespace puffel::test {

void RunConvert(const std::vector<std::string>& arguments) {
  const CommandRun run = RunProgram("convert", arguments);
  if (run.status != 0) {
    throw std::runtime_error("convert failed (ImageMagick is installed by make test): " + run.out);
  }
}

Bitmap ImageMagickPixels(const std::string& path) {
  const std::string frame = path + "[0]";
  const CommandRun size = RunProgram("identify", {"-format", "%w %h", frame});
  std::istringstream words(size.out);
  int width = 0;
  int height = 0;
  if (size.status != 0 || !(words >> width >> height)) {
    throw std::runtime_error("identify " + path + " failed: " + size.out);
  }
  // Its warnings would mix with the pixels; ImageMagick is a build machine tool.
  const CommandRun run = RunProgram("convert", {frame, "-depth", "8", "rgb:-"}, "", "/dev/null");
  if (run.status != 0 || run.out.size() != size_t(width) * height * 3) {
    throw std::runtime_error("convert " + path + " failed");
  }
  Bitmap picture(width, height);
  const auto* rgb = reinterpret_cast<const uint8_t*>(run.out.data());
  for (size_t i = 0; i < size_t(width) * height; ++i) {
    picture.Pixels()[i] =
        (uint32_t{rgb[3 * i]} << 16) | (uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
  }
  return picture;
}

}  // namespace puffel::test
