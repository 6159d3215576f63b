// Writes the picture reader's seed files (small PNG, GIF and JPEG files of
// every kind, as the tests make them) into the folder given.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/picture_seeds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: puffel-picture-seeds FOLDER\n");
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  for (const auto& [name, bytes] : puffel::test::SeedPictures()) {
    std::ofstream file(std::filesystem::path(argv[1]) / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      std::fprintf(stderr, "cannot write %s\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
