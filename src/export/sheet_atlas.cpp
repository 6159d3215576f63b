#include "export/sheet_atlas.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace puffel {

namespace {

using Json = nlohmann::ordered_json;

Json rectangle(int x, int y, int w, int h) { return {{"x", x}, {"y", y}, {"w", w}, {"h", h}}; }

Json size(int w, int h) { return {{"w", w}, {"h", h}}; }

}  // namespace

std::string SheetFrameName(const SpriteSheet& sheet, int direction, int frame) {
  const size_t digits = std::to_string(sheet.Frames() - 1).size();
  std::string number = std::to_string(frame);
  number.insert(0, digits - std::min(digits, number.size()), '0');
  return "d" + std::to_string(direction) + "_f" + number;
}

std::string SheetAtlasJson(const SpriteSheet& sheet, const std::string& imageName) {
  const SheetRect& trim = sheet.trim;
  const bool trimmed = trim.width != sheet.viewWidth || trim.height != sheet.viewHeight;
  Json frames = Json::object();
  Json tags = Json::array();
  for (int d = 0; d < sheet.directions; ++d) {
    for (int f = 0; f < sheet.Frames(); ++f) {
      const SheetRect cell = FrameRect(sheet, d, f);
      frames[SheetFrameName(sheet, d, f)] = {
          {"frame", rectangle(cell.x, cell.y, cell.width, cell.height)},
          {"rotated", false},
          {"trimmed", trimmed},
          {"spriteSourceSize", rectangle(trim.x, trim.y, trim.width, trim.height)},
          {"sourceSize", size(sheet.viewWidth, sheet.viewHeight)},
          {"duration", sheet.durations[f]},
          {"direction", d}};
    }
    tags.push_back({{"name", "d" + std::to_string(d)},
                    {"from", d * sheet.Frames()},
                    {"to", (d + 1) * sheet.Frames() - 1},
                    {"direction", "forward"}});
  }
  const Json atlas = {{"frames", frames},
                      {"meta",
                       {{"app", "Puffel"},
                        {"image", imageName},
                        {"format", "RGBA8888"},
                        {"size", size(sheet.picture.Width(), sheet.picture.Height())},
                        {"scale", "1"},
                        {"frameTags", tags}}}};
  // A file name that is not UTF-8 is written with replacement characters.
  return atlas.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace puffel
