#include "export/part_names.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace puffel {
namespace {

void setPath(Scene& scene, int k, const std::string& path) {
  scene.PartFileName[k].fill(0);
  std::copy(path.begin(), path.end(), scene.PartFileName[k].begin());
}

TEST(PartNames, AreFileNamesWithoutFolderAndExtensionMadeUnique) {
  Scene scene;
  const std::vector<std::string> paths = {"/home/u/obj/arm.bmp",
                                          "C:\\obj\\arm.BMP",
                                          "/x/arm_2.bmp",
                                          "/x/arm.tar.bmp",
                                          "/x/.bmp",
                                          "/x/腕 と\t足.bmp",
                                          "/x/bad\xff\xc3(.bmp",
                                          "/x/\xed\xa0\x80\xf4\x90\x80\x80.bmp",
                                          ""};
  scene.PartCount = static_cast<int>(paths.size());
  for (int k = 0; k < scene.PartCount; ++k) setPath(scene, k, paths[k]);
  EXPECT_EQ(PartNames(scene),
            (std::vector<std::string>{"arm", "arm_2", "arm_2_2", "arm.tar", "part", "腕_と_足",
                                      "bad__(", "_______", "part_2"}));
}

}  // namespace
}  // namespace puffel
