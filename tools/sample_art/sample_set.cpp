#include "sample_art/sample_set.h"

#include <cstdio>

#include "platform/paths.h"
#include "sample_art/backgrounds.h"
#include "sample_art/bmp24.h"
#include "sample_art/cat_figure.h"
#include "sample_art/objects.h"

namespace puffel::art {

std::vector<SamplePicture> SamplePictures() {
  std::vector<SamplePicture> pictures;
  for (int row = 0; row < static_cast<int>(CatFigure.size()); ++row) {
    pictures.push_back({"obj", CatFigure[row].file, [row] { return DrawCatPart(row); }});
  }
  pictures.push_back({"obj", "fish.bmp", DrawFish});
  pictures.push_back({"obj", "star.bmp", DrawStar});
  pictures.push_back({"obj", "apple.bmp", DrawApple});
  pictures.push_back({"haikei", "sky.bmp", DrawSky});
  pictures.push_back({"haikei", "meadow.bmp", DrawMeadow});
  return pictures;
}

std::string CatAssemblyText() {
  std::string text =
      "# ねこの組み立て方 / How to put the cat together (cat_*.bmp)\n"
      "#\n"
      "# [画像追加] で下の表の順に読み込みます。読み込んだ画像は部品ウィンドウの中央に置かれ、\n"
      "# 関節の印（白い十字）は画像の中心にあります。胴 (cat_body.bmp) はそのまま動かしません。\n"
      "# ほかの部品は一つ読み込むたびに、平面表示で次のようにします。\n"
      "#   1. 画像の (grab_x, grab_y) の点を押して左ドラッグし、画像の左上の角を\n"
      "#      胴の画像の左上の角から (corner_x, corner_y) の位置へ動かします。\n"
      "#   2. 関節の印を左ドラッグして、その部品自身の画像の (joint_x, joint_y) へ動かします。\n"
      "#   ボタンを離すと、印の下にある親の部品 (parent) につながります。\n"
      "#\n"
      "# Add the pictures with [画像追加] in the order of the table. Each one lands in the\n"
      "# middle of the part window with its joint marker (the white cross) at the picture's\n"
      "# centre. Leave the body (cat_body.bmp) where it lands. After adding each other part,\n"
      "# in the flat view:\n"
      "#   1. press at (grab_x, grab_y) of its picture and left-drag the picture until its\n"
      "#      top-left corner lies at (corner_x, corner_y) from the body picture's top-left "
      "corner;\n"
      "#   2. left-drag its joint marker to (joint_x, joint_y) of the part's own picture.\n"
      "#   At the release the part hangs from the part under its marker (parent).\n"
      "#\n"
      "# 座標は画素単位で、x は右へ、y は下へ増えます。/ Pixels; x grows rightward, y downward.\n"
      "# 左右は画像で見たときの左右です。/ Left and right as seen in the picture.\n"
      "#\n"
      "# order  file               parent  width height  corner_x corner_y  joint_x joint_y  "
      "grab_x grab_y\n";
  for (size_t row = 0; row < CatFigure.size(); ++row) {
    const FigurePart& part = CatFigure[row];
    const std::string parent = part.parent < 0 ? "-" : std::to_string(part.parent);
    char line[160];
    std::snprintf(line, sizeof line,
                  "  %-5zu  %-17s  %-6s  %-5d %-6d  %-8d %-8d  %-7d %-7d  %-6d %d\n", row,
                  part.file, parent.c_str(), part.width, part.height, part.cornerX, part.cornerY,
                  part.jointX, part.jointY, part.grabX, part.grabY);
    text += line;
  }
  return text;
}

void WriteSamples(const std::string& programFolder) {
  std::string folder = programFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  for (const SamplePicture& picture : SamplePictures()) {
    SaveBitmap24(folder + picture.folder + "/" + picture.file, picture.draw());
  }
  WriteFileBytes(folder + "obj/" + kCatAssemblyFile, CatAssemblyText());
}

}  // namespace puffel::art
