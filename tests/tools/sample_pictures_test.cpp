// The sample pictures: the same bytes on every run and machine, and part
// pictures the builder cuts out cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "sample_art/bmp24.h"
#include "sample_art/cat_figure.h"
#include "sample_art/sample_set.h"
#include "support/temp_folder.h"

namespace puffel {
namespace {

uint64_t fnv1a(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// Largest difference of one colour channel between two row pixels.
int channelDistance(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    most = std::max(most, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  }
  return most;
}

std::vector<art::SamplePicture> partPictures() {
  std::vector<art::SamplePicture> parts;
  for (const art::SamplePicture& picture : art::SamplePictures()) {
    if (picture.folder == "obj") parts.push_back(picture);
  }
  return parts;
}

// Pixels of the silhouette reachable from its first pixel through the four
// neighbours.
int connectedSilhouette(const Bitmap& picture, uint32_t background) {
  const int w = picture.Width();
  const int h = picture.Height();
  std::vector<uint8_t> seen(static_cast<size_t>(w) * h, 0);
  std::vector<std::pair<int, int>> stack;
  for (int y = 0; y < h && stack.empty(); ++y) {
    for (int x = 0; x < w && stack.empty(); ++x) {
      if (picture.Row(y)[x] != background) stack.push_back({x, y});
    }
  }
  int count = 0;
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    if (x < 0 || y < 0 || x >= w || y >= h || seen[size_t(y) * w + x] ||
        picture.Row(y)[x] == background) {
      continue;
    }
    seen[size_t(y) * w + x] = 1;
    ++count;
    stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
  }
  return count;
}

// Digests of the 24-bit files. They change only when a picture's drawing
// does (the failure then prints the new digest); a change that is not meant
// means the drawing depends on something that differs between runs or machines.
const std::map<std::string, uint64_t> kDigests = {
    {"cat_body.bmp", 0x9ff0fe46df90e00full},     {"cat_head.bmp", 0xc32d020b78dca0f2ull},
    {"cat_arm_left.bmp", 0x67ff5802ab835d59ull}, {"cat_arm_right.bmp", 0xfd94688a3ce15365ull},
    {"cat_leg_left.bmp", 0x4b3fec3491b278efull}, {"cat_leg_right.bmp", 0x822b442b1eddb2afull},
    {"cat_tail.bmp", 0x66e99ae294abdc21ull},     {"fish.bmp", 0x1b48f6c786a18796ull},
    {"star.bmp", 0xe68b059c938e6fa9ull},         {"apple.bmp", 0x6e4da8c0d5bd647cull},
    {"sky.bmp", 0x16800a587b489fe5ull},          {"meadow.bmp", 0x691ec78fdce501d9ull},
};

TEST(SamplePictures, ComeOutByteForByteTheSameEveryTime) {
  for (const art::SamplePicture& picture : art::SamplePictures()) {
    const std::string bytes = art::EncodeBitmap24(picture.draw());
    EXPECT_EQ(bytes, art::EncodeBitmap24(picture.draw())) << picture.file;
    ASSERT_EQ(kDigests.count(picture.file), 1u) << picture.file;
    EXPECT_EQ(fnv1a(bytes), kDigests.at(picture.file))
        << picture.file << " 0x" << std::hex << fnv1a(bytes);
  }
}

TEST(SamplePictures, PartsAreHardEdgedOnTheirCornerColour) {
  for (const art::SamplePicture& sample : partPictures()) {
    SCOPED_TRACE(sample.file);
    const Bitmap picture = sample.draw();
    EXPECT_GE(std::min(picture.Width(), picture.Height()), 60);
    EXPECT_LE(std::max(picture.Width(), picture.Height()), 220);
    const uint32_t background = picture.Row(0)[0];
    int silhouette = 0;
    int nearest = 255;
    int margin = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const uint32_t p = picture.Row(y)[x];
        if (p == background) continue;
        ++silhouette;
        nearest = std::min(nearest, channelDistance(p, background));
        margin = std::min({margin, x, y, picture.Width() - 1 - x, picture.Height() - 1 - y});
      }
    }
    // Every pixel is the background exactly or clearly not it: no fringe.
    EXPECT_GE(nearest, 40);
    // The builder keeps background all round a silhouette that stays off the
    // picture's edge, so its rim colours bleed out evenly.
    EXPECT_GE(margin, 6);
    // One piece, without stray specks.
    EXPECT_GT(silhouette, 1000);
    EXPECT_EQ(connectedSilhouette(picture, background), silhouette);
  }
}

TEST(SamplePictures, BackgroundsFillABigPartWindow) {
  for (const art::SamplePicture& sample : art::SamplePictures()) {
    if (sample.folder != "haikei") continue;
    const Bitmap picture = sample.draw();
    EXPECT_EQ(picture.Width(), 640) << sample.file;
    EXPECT_EQ(picture.Height(), 480) << sample.file;
  }
}

TEST(SamplePictures, AreWrittenAs24BitFilesThatReadBackUnchanged) {
  test::ProgramFolderFixture folder;
  art::WriteSamples(folder.Path());
  for (const art::SamplePicture& sample : art::SamplePictures()) {
    SCOPED_TRACE(sample.file);
    const std::string path = folder / (sample.folder + "/" + sample.file);
    const std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 30u);
    EXPECT_EQ(bytes[28], 24);  // bits per pixel
    Bitmap read;
    LoadBitmapFile(path, read);
    EXPECT_EQ(read, sample.draw());
  }
  const std::string assembly =
      ReadFileBytes(folder / (std::string("obj/") + art::kCatAssemblyFile));
  for (const art::FigurePart& part : art::CatFigure) {
    EXPECT_NE(assembly.find(part.file), std::string::npos) << part.file;
  }
}

}  // namespace
}  // namespace puffel
