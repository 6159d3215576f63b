#include "app/about_text.h"

namespace puffel {

// PUFFEL_VERSION is the project's version, given to this file alone by the
// build, so that the box, the Windows resource and the package agree.
std::string ProgramVersion() { return PUFFEL_VERSION; }

std::string AboutText(const std::string& toolkitNotice) {
  std::string text = "Puffel バージョン " + ProgramVersion() +
                     "\n\n"
                     "このプログラムには次のライブラリが含まれています。\n"
                     "・stb_image, stb_image_write（パブリックドメインまたは MIT ライセンス）\n"
                     "・tinygltf（MIT ライセンス、Boost Software License 1.0）\n"
                     "・nlohmann/json（MIT ライセンス）\n";
  if (!toolkitNotice.empty()) text += "・" + toolkitNotice + "\n";
  text +=
      "\n"
      "各ライブラリの著作権表示とライセンスの全文は、プログラムと同じフォルダの "
      "THIRD_PARTY.txt にあります。";
  return text;
}

}  // namespace puffel
