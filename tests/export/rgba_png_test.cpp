// The RGBA PNG writer, read back by two independent readers: stb's, and
// ImageMagick's (libpng, which checks every checksum, warnings taken as failures).
#include <gtest/gtest.h>

#include <random>

#include "export/deflate_pieces.h"
#include "export/png_encode.h"
#include "export/png_reading.h"
#include "platform/paths.h"
#include "support/image_magick.h"
#include "support/temp_folder.h"

namespace puffel {
namespace {

TEST(RgbaPng, ReadersSeeThePixelsWritten) {
  std::mt19937 random(29);
  const test::TempFolder folder;
  // Small pictures; pieces of many rows; rows longer than a piece (too wide
  // for ImageMagick's policy, so read by stb alone).
  const std::pair<int, int> sizes[] = {{1, 1}, {5, 3}, {700, 900}, {300000, 2}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(width);
    // Transparent runs, noise and a repeating pattern in patches, so that
    // literals and matches of every length and distance occur.
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int patch = (x / 37 + y / 11 + static_cast<int>(random() % 2)) % 3;
        picture.Row(y)[x] = patch == 0   ? 0
                            : patch == 1 ? static_cast<uint32_t>(random())
                                         : 0xFF000000 | (x % 13) * 0x030507;
      }
    }
    const std::string png = EncodeRgbaPng(picture);
    EXPECT_EQ(png, EncodeRgbaPngInParallel(picture));
    EXPECT_EQ(test::DecodeRgbaPng(png), picture);
    if (width > 16000) continue;
    WriteFileBytes(folder / "p.png", png);
    test::RunConvert(
        {"-regard-warnings", folder / "p.png", "-depth", "8", "rgba:" + (folder / "p.rgba")});
    const std::string rgba = ReadFileBytes(folder / "p.rgba");
    ASSERT_EQ(rgba.size(), 4 * static_cast<size_t>(width) * height);
    int wrong = 0;
    for (size_t n = 0; n < rgba.size() / 4; ++n) {
      const auto* p = reinterpret_cast<const unsigned char*>(rgba.data() + 4 * n);
      wrong += picture.Pixels()[n] !=
               (uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2]);
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(RgbaPng, AdlerSumsCombineAsTheWholeSums) {
  std::mt19937 random(1);
  std::vector<unsigned char> data(200000);
  for (unsigned char& byte : data) byte = static_cast<unsigned char>(random());
  for (const size_t cut : {size_t{0}, size_t{1}, size_t{65521}, size_t{150000}, data.size()}) {
    const uint32_t whole = Adler32(1, data.data(), data.size());
    EXPECT_EQ(CombineAdler32(Adler32(1, data.data(), cut),
                             Adler32(1, data.data() + cut, data.size() - cut), data.size() - cut),
              whole)
        << cut;
  }
  // The definition, summed plainly.
  uint32_t a = 1, b = 0;
  for (const unsigned char byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Adler32(1, data.data(), data.size()), b << 16 | a);
}

}  // namespace
}  // namespace puffel
