#include "figure_picture/posed_cat.h"

#include <initializer_list>
#include <utility>

#include "sample_art/cat_figure.h"

namespace puffel::art {

namespace {

constexpr int ViewCentre = 200;  // of the 400 x 400 part window

std::string at(const char* command, int x, int y, const char* held) {
  return std::string(command) + " form2 " + std::to_string(x) + " " + std::to_string(y) + " " +
         held + "\n";
}

// A drag with one button from (x0, y0) through the points to the last one.
std::string drag(const char* button, int x0, int y0,
                 std::initializer_list<std::pair<int, int>> to) {
  std::string lines = at("press", x0, y0, button);
  for (const auto& [x, y] : to) lines += at("move", x, y, button);
  return lines + at("release", to.end()[-1].first, to.end()[-1].second, "none");
}

std::string assembly() {
  std::string lines;
  // Every picture lands centred; the body stays where it lands.
  const int bodyX = ViewCentre - CatFigure[0].width / 2;
  const int bodyY = ViewCentre - CatFigure[0].height / 2;
  for (const FigurePart& part : CatFigure) {
    lines += std::string("answer obj/") + part.file + "\nclick Button1\n";
    if (part.parent < 0) continue;
    const int landedX = ViewCentre - part.width / 2;
    const int landedY = ViewCentre - part.height / 2;
    const int cornerX = bodyX + part.cornerX;
    const int cornerY = bodyY + part.cornerY;
    lines += drag("left", landedX + part.grabX, landedY + part.grabY,
                  {{cornerX + part.grabX, cornerY + part.grabY}});
    // The marker came along with the picture, still at its centre.
    lines += drag("left", cornerX + part.width / 2, cornerY + part.height / 2,
                  {{cornerX + part.jointX, cornerY + part.jointY}});
  }
  return lines;
}

}  // namespace

std::vector<ScriptStage> PosedCatScript() {
  return {
      {"assembled", assembly()},
      {"3d", "click Button4\n"},
      {"head", drag("left", 200, 90, {{212, 96}})},
      {"body-right", drag("right", 200, 235, {{190, 238}})},
      {"body-left", drag("left", 200, 220, {{204, 222}, {330, 330}, {214, 226}})},
      {"scaled", "press form2 300 230 left\n" + at("press", 300, 230, "left+right") +
                     at("move", 300, 222, "left+right") + at("release", 300, 222, "left") +
                     at("release", 300, 222, "none")},
      {"moved", drag("middle", 200, 200, {{206, 196}})},
      {"scene", drag("left", 30, 370, {{36, 364}})},
      {"tilted",
       "move form2 152 238 none\nwheel form2 down 152 238\nwheel form2 down 152 238\n"
       "wheel form2 down 152 238\nwheel form2 up 152 238\n"},
  };
}

}  // namespace puffel::art
