// Our bitmap reader against Qt's independent one on every good file of the
// public suite.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <string>

#include "platform/bmp_file.h"
#include "platform/paths.h"

namespace puffel {
namespace {

// Qt widens a channel of n < 8 bits by shifting alone (5 bits: 31 gives 248);
// we repeat the bits as the 16-bit formats intend (31 gives 255, 16 gives 132),
// so from Qt's value q our value is q | (q >> n). Channel widths red, green,
// blue of the files where this matters:
const std::map<std::string, std::array<int, 3>> kNarrowChannels = {
    {"rgb16.bmp", {5, 5, 5}},
    {"rgb16bfdef.bmp", {5, 5, 5}},
    {"rgb16-565.bmp", {5, 6, 5}},
    {"rgb16-565pal.bmp", {5, 6, 5}},
};

uint32_t widenedLikeUs(uint32_t qt, const std::array<int, 3>& widths) {
  uint32_t ours = 0;
  for (int c = 0; c < 3; ++c) {
    const int shift = 16 - 8 * c;
    const uint32_t q = (qt >> shift) & 0xFF;
    ours |= (q | (q >> widths[c])) << shift;
  }
  return ours;
}

TEST(BmpOracleTest, GoodSuiteFilesMatchQtPixelForPixel) {
  int files = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(PUFFEL_BMPSUITE_DIR) + "/g")) {
    const std::string path = entry.path().string();
    const std::string name = ExtractFileName(path);
    ++files;
    Bitmap ours;
    ASSERT_NO_THROW(LoadBitmapFile(path, ours)) << name;
    const QImage theirs =
        QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(theirs.isNull()) << name;
    ASSERT_EQ(ours.Width(), theirs.width()) << name;
    ASSERT_EQ(ours.Height(), theirs.height()) << name;
    const auto narrow = kNarrowChannels.find(name);
    const std::array<int, 3> widths =
        narrow == kNarrowChannels.end() ? std::array<int, 3>{8, 8, 8} : narrow->second;
    int mismatches = 0;
    for (int y = 0; y < ours.Height(); ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(theirs.constScanLine(y));
      for (int x = 0; x < ours.Width(); ++x) {
        const uint32_t expected = widenedLikeUs(row[x] & 0xFFFFFF, widths);
        if (ours.Row(y)[x] != expected && mismatches++ == 0) {
          ADD_FAILURE() << name << " (" << x << ", " << y << "): " << std::hex << ours.Row(y)[x]
                        << " instead of " << expected;
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << name;
  }
  EXPECT_GE(files, 20);
}

}  // namespace
}  // namespace puffel
