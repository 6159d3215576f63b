#include "support/image_magick.h"

#include <sstream>
#include <stdexcept>

#include "support/run_command.h"

namespace puffel::test {

void RunConvert(const std::string& arguments) {
  const CommandRun run = RunCommand("convert " + arguments + " 2>&1");
  if (run.status != 0) {
    throw std::runtime_error("convert " + arguments + " failed (ImageMagick is installed by " +
                             "make test): " + run.out);
  }
}

Bitmap ImageMagickPixels(const std::string& path) {
  const std::string frame = "'" + path + "[0]'";
  const CommandRun size = RunCommand("identify -format '%w %h' " + frame + " 2>&1");
  std::istringstream words(size.out);
  int width = 0;
  int height = 0;
  if (size.status != 0 || !(words >> width >> height)) {
    throw std::runtime_error("identify " + path + " failed: " + size.out);
  }
  const CommandRun run = RunCommand("convert " + frame + " -depth 8 rgb:- 2>/dev/null");
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
