#include "platform/bmp_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/platform_error.h"
#include "support/temp_folder.h"

namespace puffel {
namespace {

using Bytes = std::vector<uint8_t>;

void putLE(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back((value >> (8 * i)) & 0xFF);
}

// A bitmap file with an info header of headerSize bytes. Masks follow its
// first 40 bytes (after a 40-byte header, in the mask fields of longer ones);
// palette entries are 0x00RRGGBB; the pixels start at pixelOffset (0: right
// after the palette).
struct FileLayout {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  std::vector<uint32_t> masks{};
  std::vector<uint32_t> palette{};
  Bytes pixels{};
  uint32_t pixelOffset = 0;
};

Bytes makeFile(const FileLayout& layout) {
  Bytes info;
  for (uint32_t v : {layout.headerSize, uint32_t(layout.width), uint32_t(layout.height)})
    putLE(info, v, 4);
  putLE(info, 1, 2);
  putLE(info, layout.bits, 2);
  for (uint32_t v : {layout.compression, uint32_t(layout.pixels.size()), 2835u, 2835u,
                     uint32_t(layout.palette.size()), 0u}) {
    putLE(info, v, 4);
  }
  for (uint32_t mask : layout.masks) putLE(info, mask, 4);
  info.resize(std::max<size_t>(info.size(), layout.headerSize), 0);
  for (uint32_t colour : layout.palette) putLE(info, colour, 4);
  const uint32_t offset = layout.pixelOffset != 0 ? layout.pixelOffset : 14 + uint32_t(info.size());
  Bytes file = {'B', 'M'};
  for (uint32_t v : {offset + uint32_t(layout.pixels.size()), 0u, offset}) putLE(file, v, 4);
  file.insert(file.end(), info.begin(), info.end());
  file.resize(offset, 0xEE);
  file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
  return file;
}

Bitmap decoded(const Bytes& file) {
  Bitmap picture;
  DecodeBitmap(file, picture);
  return picture;
}

std::vector<uint32_t> pixelsOf(const Bitmap& picture) {
  return std::vector<uint32_t>(picture.Pixels(),
                               picture.Pixels() + size_t(picture.Width()) * picture.Height());
}

// The message of the PlatformError that decoding file throws ("" when none).
std::string refusalOf(const Bytes& file) {
  try {
    decoded(file);
  } catch (const PlatformError& error) {
    return error.what();
  }
  return "";
}

Bytes rle8File(int32_t width, int32_t height, const std::vector<uint32_t>& palette,
               const Bytes& stream) {
  return makeFile({.width = width,
                   .height = height,
                   .bits = 8,
                   .compression = 1,
                   .palette = palette,
                   .pixels = stream});
}

TEST(BmpFileTest, WrittenFileIsA32BitBottomUpInfoHeaderBitmap) {
  Bitmap picture(2, 2);
  picture.Row(0)[0] = 0xFF112233;
  picture.Row(0)[1] = 0x00445566;
  picture.Row(1)[0] = 0x00778899;
  picture.Row(1)[1] = 0x00AABBCC;
  Bytes expected = {'B', 'M'};
  for (uint32_t v : {70u, 0u, 54u, 40u, 2u, 2u}) putLE(expected, v, 4);  // sizes, offset, header
  putLE(expected, 1, 2);                                                 // planes
  putLE(expected, 32, 2);                                                // bits
  for (uint32_t v : {0u, 16u, 2835u, 2835u, 0u, 0u}) putLE(expected, v, 4);
  // The bottom row comes first, each pixel as B, G, R, 0.
  for (uint8_t b :
       {0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA, 0, 0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0}) {
    expected.push_back(b);
  }
  EXPECT_EQ(EncodeBitmap(picture), expected);
}

TEST(BmpFileTest, FilesRoundTripAndAFailedLoadLeavesThePictureAlone) {
  test::TempFolder folder;
  Bitmap picture(5, 3);
  for (int i = 0; i < 15; ++i) picture.Pixels()[i] = 0xAB000000u | (i * 0x10203);
  SaveBitmapFile(folder / "a.bmp", picture);
  EXPECT_FALSE(FileExists(folder / "a.bmp.tmp~"));

  Bitmap loaded;
  loaded.canvas.penColour = 0xFFFFFF;
  LoadBitmapFile(folder / "a.bmp", loaded);
  ASSERT_EQ(loaded.Width(), 5);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(loaded.Pixels()[i], picture.Pixels()[i] & 0xFFFFFF);
  EXPECT_EQ(loaded.canvas.penColour, 0xFFFFFFu);

  WriteFileBytes(folder / "b.bmp", "BM not really");
  const Bitmap before = loaded;
  try {
    LoadBitmapFile(folder / "b.bmp", loaded);
    FAIL() << "a broken file was read";
  } catch (const PlatformError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("ビットマップ画像として読み込めません"), std::string::npos);
    EXPECT_NE(message.find(folder / "b.bmp"), std::string::npos);
    EXPECT_EQ(message.find('\n'), std::string::npos);
  }
  EXPECT_EQ(loaded, before);
  EXPECT_THROW(LoadBitmapFile(folder / "missing.bmp", loaded), PlatformError);
  EXPECT_EQ(loaded, before);
}

// Files are read and written a batch of rows at a time: pictures of many
// rows, rows whose stride does not divide the batch, both row orders.
TEST(BmpFileTest, LargeFilesReadAndWriteAsTheirBytesDecodeAndEncode) {
  test::TempFolder folder;
  Bitmap picture(1001, 300);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) picture.Row(y)[x] = (x * 7919u + y * 104729u) << 3;
  }
  SaveBitmapFile(folder / "big.bmp", picture);
  const std::string written = ReadFileBytes(folder / "big.bmp");
  EXPECT_EQ(Bytes(written.begin(), written.end()), EncodeBitmap(picture));

  for (const int32_t height : {300, -300}) {
    Bytes rows;
    for (int i = 0; i < 3004 * 300; ++i) rows.push_back(static_cast<uint8_t>(i * 31 + i / 3004));
    // The last stored row ends without its padding.
    rows.resize(rows.size() - 1);
    const Bytes file = makeFile({.width = 1001, .height = height, .pixels = rows});
    WriteFileBytes(folder / "24.bmp", std::string(file.begin(), file.end()));
    Bitmap loaded;
    LoadBitmapFile(folder / "24.bmp", loaded);
    EXPECT_EQ(loaded, decoded(file)) << height;
  }
}

// A file whose pixels end early is refused before the picture changes.
TEST(BmpFileTest, ShortFileIsRefusedWhenLoaded) {
  test::TempFolder folder;
  Bytes file = makeFile({.width = 2000, .height = 200, .pixels = Bytes(6000 * 200, 9)});
  file.resize(file.size() - 1);
  WriteFileBytes(folder / "short.bmp", std::string(file.begin(), file.end()));
  Bitmap picture(3, 3);
  EXPECT_THROW(LoadBitmapFile(folder / "short.bmp", picture), PlatformError);
  EXPECT_EQ(picture.Width(), 3);
}

TEST(BmpFileTest, RowOrderFollowsTheSignOfTheHeight) {
  // 24 bits, 2 x 2: each stored row is 6 bytes plus 2 of padding.
  const Bytes rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  const Bitmap bottomUp = decoded(makeFile({.width = 2, .height = 2, .pixels = rows}));
  const Bitmap topDown = decoded(makeFile({.width = 2, .height = -2, .pixels = rows}));
  EXPECT_EQ(pixelsOf(bottomUp), (std::vector<uint32_t>{0x090807, 0x0C0B0A, 0x030201, 0x060504}));
  EXPECT_EQ(pixelsOf(topDown), (std::vector<uint32_t>{0x030201, 0x060504, 0x090807, 0x0C0B0A}));
}

TEST(BmpFileTest, IndexedPixelsUseTheFilesPaletteAndItsOffsets) {
  const std::vector<uint32_t> two = {0x102030, 0xA0B0C0};
  // 1 bit, 10 pixels: the leftmost pixel is the top bit.
  EXPECT_EQ(
      pixelsOf(decoded(makeFile(
          {.width = 10, .bits = 1, .palette = two, .pixels = {0b10110000, 0b01000000, 0, 0}}))),
      (std::vector<uint32_t>{0xA0B0C0, 0x102030, 0xA0B0C0, 0xA0B0C0, 0x102030, 0x102030, 0x102030,
                             0x102030, 0x102030, 0xA0B0C0}));
  // 4 bits with two palette entries: indices past them are black.
  EXPECT_EQ(pixelsOf(decoded(
                makeFile({.width = 3, .bits = 4, .palette = two, .pixels = {0x1F, 0x20, 0, 0}}))),
            (std::vector<uint32_t>{0xA0B0C0, 0, 0}));
  // 8 bits, pixels placed further on than the palette ends.
  EXPECT_EQ(
      pixelsOf(decoded(makeFile(
          {.width = 2, .bits = 8, .palette = two, .pixels = {1, 200, 0, 0}, .pixelOffset = 100}))),
      (std::vector<uint32_t>{0xA0B0C0, 0}));
  // With no count of colours used the palette still ends where the pixels start.
  Bytes file = makeFile({.width = 3, .bits = 8, .palette = two, .pixels = {0, 1, 2, 0}});
  file[46] = 0;
  EXPECT_EQ(pixelsOf(decoded(file)), (std::vector<uint32_t>{0x102030, 0xA0B0C0, 0}));
}

TEST(BmpFileTest, BitFieldChannelsWidenToEightBitsExactly) {
  // 5-5-5 by default: v widens to (v << 3) | (v >> 2).
  const Bytes rgb555 = {0x00, 0x7C, 0x21, 0x04, 0xFF, 0x7F, 0x10, 0x00};
  EXPECT_EQ(pixelsOf(decoded(makeFile({.width = 4, .bits = 16, .pixels = rgb555}))),
            (std::vector<uint32_t>{0xFF0000, 0x080808, 0xFFFFFF, 0x000084}));
  // 5-6-5 masks after the info header: green 1 gives 4, green 32 gives 130.
  const Bytes rgb565 = {0x20, 0x00, 0x00, 0x04};
  EXPECT_EQ(pixelsOf(decoded(makeFile({.width = 2,
                                       .bits = 16,
                                       .compression = 3,
                                       .masks = {0xF800, 0x07E0, 0x001F},
                                       .pixels = rgb565}))),
            (std::vector<uint32_t>{0x000400, 0x008200}));
  // Masks inside a V4 header: 2-bit red repeats (2 gives 0xAA), 3-bit green
  // 5 gives 0xB6, 11-bit blue keeps its top 8 bits.
  const Bytes odd = {0xFF, 0xAF, 0x00, 0x00};
  EXPECT_EQ(pixelsOf(decoded(makeFile({.width = 1,
                                       .bits = 16,
                                       .compression = 3,
                                       .headerSize = 108,
                                       .masks = {0xC000, 0x3800, 0x07FF},
                                       .pixels = odd}))),
            (std::vector<uint32_t>{0xAAB6FF}));
  // 32 bits with swapped masks; the top byte of the file's pixel is dropped.
  EXPECT_EQ(pixelsOf(decoded(makeFile({.width = 1,
                                       .bits = 32,
                                       .compression = 3,
                                       .masks = {0x0000FF, 0x00FF00, 0xFF0000},
                                       .pixels = {0x11, 0x22, 0x33, 0x44}}))),
            (std::vector<uint32_t>{0x112233}));
}

TEST(BmpFileTest, RunLengthStreamsDecodeAndSkippedPixelsAreBlack) {
  const std::vector<uint32_t> palette = {0x0000FF, 0x111111, 0x222222, 0x333333};
  // Bottom row: a run of 2, an absolute run of 3 (padded); end of line.
  // Middle row: delta right 1 and up 1 lands in the top row; run of 1; end of bitmap.
  const Bytes stream = {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 1, 3, 0, 1};
  EXPECT_EQ(pixelsOf(decoded(rle8File(5, 3, palette, stream))),
            (std::vector<uint32_t>{0, 0x333333, 0, 0, 0,  //
                                   0, 0, 0, 0, 0,         //
                                   0x111111, 0x111111, 0x222222, 0x333333, 0x111111}));
  // RLE4: runs alternate high and low nibbles; absolute nibbles high first.
  EXPECT_EQ(pixelsOf(decoded(makeFile({.width = 6,
                                       .bits = 4,
                                       .compression = 2,
                                       .palette = palette,
                                       .pixels = {3, 0x12, 0, 3, 0x31, 0x20, 0, 1}}))),
            (std::vector<uint32_t>{0x111111, 0x222222, 0x111111, 0x333333, 0x111111, 0x222222}));
}

TEST(BmpFileTest, DamagedRunLengthStreamsStopInsideThePicture) {
  const std::vector<uint32_t> palette = {0x0000FF, 0x111111, 0x222222};
  // A run longer than the row is cut at the row's end; the next row starts clean.
  EXPECT_EQ(pixelsOf(decoded(rle8File(3, 2, palette, {200, 1, 0, 0, 1, 2}))),
            (std::vector<uint32_t>{0x222222, 0, 0, 0x111111, 0x111111, 0x111111}));
  // An absolute run past the row's end, then a delta far beyond the picture.
  EXPECT_EQ(pixelsOf(decoded(rle8File(2, 2, palette, {0, 4, 1, 2, 1, 2, 0, 2, 255, 255, 1, 1}))),
            (std::vector<uint32_t>{0, 0, 0x111111, 0x222222}));
  // An absolute run cut by the end of the file keeps what it has.
  EXPECT_EQ(pixelsOf(decoded(rle8File(4, 1, palette, {0, 200, 2, 1}))),
            (std::vector<uint32_t>{0x222222, 0x111111, 0, 0}));
  // Every prefix of a file, and every byte of its stream set to each of a few
  // values, decodes or is refused without reading or writing out of bounds.
  const Bytes file = rle8File(4, 3, palette, {2, 1, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 1, 1, 0, 1});
  for (size_t n = 0; n <= file.size(); ++n) {
    Bitmap picture;
    try {
      DecodeBitmap(Bytes(file.begin(), file.begin() + n), picture);
    } catch (const PlatformError&) {
    }
  }
  for (size_t at = file.size() - 16; at < file.size(); ++at) {
    for (uint8_t value : {0, 1, 2, 3, 127, 255}) {
      Bytes damaged = file;
      damaged[at] = value;
      EXPECT_EQ(decoded(damaged).Width(), 4);
    }
  }
}

TEST(BmpFileTest, BrokenOrUnsupportedFilesAreRefused) {
  const Bytes good = makeFile({.width = 2, .height = 2, .pixels = Bytes(16, 0)});
  const Bytes bitFields = makeFile(
      {.bits = 32, .compression = 3, .masks = {0xFF0000, 0xFF00, 0xFF}, .pixels = {0, 0, 0, 0}});
  auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
    Bytes file = good;
    std::copy(bytes.begin(), bytes.end(), file.begin() + at);
    return file;
  };
  // Each file with the reason its refusal gives.
  const std::vector<std::pair<Bytes, const char*>> cases = {
      {patched(0, {'P', 'K'}), "ビットマップファイルではありません"},
      {patched(14, {41}), "未対応のヘッダーサイズです: 41 バイト"},
      {Bytes(good.begin(), good.begin() + 40), "ヘッダーが途中で切れています"},
      {Bytes(bitFields.begin(), bitFields.begin() + 60), "ヘッダーが途中で切れています"},
      {Bytes(good.begin(), good.end() - 3), "画素データが途中で切れています"},
      {patched(10, {200}), "画素データが途中で切れています"},
      {patched(10, {20}), "画素データの位置が不正です"},
      {patched(18, {0}), "幅または高さが 0 です"},
      {patched(22, {0}), "幅または高さが 0 です"},
      {patched(18, {0xFE, 0xFF, 0xFF, 0xFF}), "幅が負の値です"},
      {patched(26, {2}), "プレーン数が 1 ではありません"},
      {patched(28, {48}), "未対応の形式です: 48 ビット、圧縮方式 0"},
      {patched(30, {1}), "未対応の形式です: 24 ビット、圧縮方式 1"},
      {makeFile({.bits = 16, .compression = 3, .masks = {0xF0F0, 0, 0}, .pixels = {0, 0, 0, 0}}),
       "ビットマスクが不正です"},
  };
  for (const auto& [file, reason] : cases) {
    EXPECT_EQ(refusalOf(file), std::string("ビットマップ画像として読み込めません: ") + reason);
  }
}

TEST(BmpFileTest, OversizedPicturesAreRefusedBeforeAnyPixelExists) {
  // Run-length files need no pixel bytes, so only the size checks stop these.
  const Bytes end = {0, 1};
  EXPECT_EQ(decoded(rle8File(kMaxBitmapSide, 1, {}, end)).Width(), kMaxBitmapSide);
  for (auto [width, height] : {std::pair{kMaxBitmapSide + 1, 1}, std::pair{1, kMaxBitmapSide + 1},
                               std::pair{8192, 8193}, std::pair{0x7FFFFFFF, -0x7FFFFFFF}}) {
    EXPECT_NE(refusalOf(rle8File(width, height, {}, end)).find("大きすぎます"), std::string::npos)
        << width << " x " << height;
  }
}

// The public suite of sample files.
const std::string kSuite = PUFFEL_BMPSUITE_DIR;

std::vector<std::string> suiteFiles(const std::string& folder) {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(kSuite + "/" + folder)) {
    if (entry.path().extension() == ".bmp") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

Bitmap loaded(const std::string& name) {
  Bitmap picture;
  LoadBitmapFile(kSuite + "/" + name, picture);
  return picture;
}

TEST(BmpSuiteTest, GoodFilesReadAndAgreeWithEachOther) {
  const auto files = suiteFiles("g");
  ASSERT_GE(files.size(), 20u);
  for (const std::string& path : files) {
    Bitmap picture;
    ASSERT_NO_THROW(LoadBitmapFile(path, picture)) << path;
    EXPECT_EQ(picture.Width(),
              ExtractFileName(path).starts_with("pal8w") ? 124 + (picture.Height() - 61) : 127)
        << path;
    for (uint32_t p : pixelsOf(picture)) ASSERT_EQ(p >> 24, 0u) << path;
  }
  // Files that store the same colours in different layouts read the same.
  const std::vector<std::vector<std::string>> sameColours = {
      {"g/rgb24.bmp", "g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp"},
      {"g/rgb16.bmp", "g/rgb16bfdef.bmp"},
      {"g/rgb16-565.bmp", "g/rgb16-565pal.bmp"},
      {"g/pal4.bmp", "g/pal4rle.bmp"},
      {"g/pal8.bmp", "g/pal8-0.bmp", "g/pal8os2.bmp", "g/pal8rle.bmp", "g/pal8topdown.bmp",
       "g/pal8v4.bmp", "g/pal8v5.bmp", "q/pal8offs.bmp", "q/pal8os2sp.bmp", "q/pal8os2v2.bmp",
       "q/pal8os2v2-16.bmp", "q/pal8oversizepal.bmp"},
  };
  for (const auto& group : sameColours) {
    const Bitmap first = loaded(group[0]);
    for (size_t i = 1; i < group.size(); ++i) EXPECT_EQ(loaded(group[i]), first) << group[i];
  }
}

// Loading a file reads it in stretches; decoding its bytes at once must give
// the same picture or the same refusal.
TEST(BmpSuiteTest, LoadedFilesAreTheirDecodedBytes) {
  for (const char* folder : {"g", "q", "b"}) {
    for (const std::string& path : suiteFiles(folder)) {
      const std::string bytes = ReadFileBytes(path);
      Bitmap fromBytes;
      Bitmap fromFile;
      bool decodedBytes = true;
      bool loadedFile = true;
      try {
        DecodeBitmap(Bytes(bytes.begin(), bytes.end()), fromBytes);
      } catch (const PlatformError&) {
        decodedBytes = false;
      }
      try {
        LoadBitmapFile(path, fromFile);
      } catch (const PlatformError&) {
        loadedFile = false;
      }
      EXPECT_EQ(loadedFile, decodedBytes) << path;
      EXPECT_EQ(fromFile, fromBytes) << path;
    }
  }
}

TEST(BmpSuiteTest, QuestionableAndBadFilesAreReadOrRefusedCleanly) {
  const std::set<std::string> refused = {"badbitcount.bmp", "badheadersize.bmp", "badplanes.bmp",
                                         "badwidth.bmp",    "reallybig.bmp",     "shortfile.bmp",
                                         "pal1huffmsb.bmp", "rgb24jpeg.bmp",     "rgb24png.bmp",
                                         "rgb24rle24.bmp",  "rgba64.bmp"};
  for (const char* folder : {"q", "b"}) {
    for (const std::string& path : suiteFiles(folder)) {
      Bitmap picture;
      bool read = true;
      try {
        LoadBitmapFile(path, picture);
      } catch (const PlatformError&) {
        read = false;
      }
      EXPECT_EQ(read, !refused.contains(ExtractFileName(path))) << path;
    }
  }
}

}  // namespace
}  // namespace puffel
