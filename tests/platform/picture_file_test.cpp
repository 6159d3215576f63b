#include "platform/picture_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/platform_error.h"
#include "support/image_magick.h"
#include "support/picture_encoders.h"
#include "support/picture_seeds.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::Bytes;
using test::GifImage;
using test::PngImage;

const std::string kUnreadable = "ビットマップ画像として読み込めません: ";
// stb_image and ImageMagick's JPEG library round the inverse DCT, the chroma
// upsampling and the colour conversion differently, by up to 3 levels.
constexpr int kJpegTolerance = 3;

std::string written(const test::TempFolder& folder, const std::string& name, const Bytes& bytes) {
  const std::string path = folder / name;
  WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
  return path;
}

Bitmap decoded(const Bytes& bytes) {
  Bitmap picture;
  DecodePicture(bytes, picture);
  return picture;
}

// Pictures compared pixel by pixel, naming the first difference; channels may
// differ by up to tolerance.
testing::AssertionResult samePixels(const Bitmap& ours, const Bitmap& theirs, int tolerance = 0) {
  if (ours.Width() != theirs.Width() || ours.Height() != theirs.Height()) {
    return testing::AssertionFailure() << ours.Width() << " x " << ours.Height() << " against "
                                       << theirs.Width() << " x " << theirs.Height();
  }
  int differences = 0;
  std::string first;
  for (int y = 0; y < ours.Height(); ++y) {
    for (int x = 0; x < ours.Width(); ++x) {
      const uint32_t a = ours.Row(y)[x];
      const uint32_t b = theirs.Row(y)[x];
      int largest = 0;
      for (int shift : {0, 8, 16}) {
        largest = std::max(largest, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
      }
      if (largest <= tolerance) continue;
      if (differences++ == 0) {
        char text[80];
        std::snprintf(text, sizeof text, "(%d, %d): %06X against %06X", x, y, ours.Row(y)[x],
                      theirs.Row(y)[x]);
        first = text;
      }
    }
  }
  if (differences == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << differences << " pixels differ, first " << first;
}

// The message of the refusal; the picture decoded into must stay as it was.
std::string refusalOf(const Bytes& bytes) {
  Bitmap picture(1, 1);
  picture.Row(0)[0] = 0x123456;
  try {
    DecodePicture(bytes, picture);
  } catch (const PlatformError& error) {
    EXPECT_EQ(picture, test::SolidPicture(1, 1, 0x123456));
    return error.what();
  }
  ADD_FAILURE() << "not refused";
  return "";
}

int channelsOf(int colourType) {
  return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
}

// An opaque PNG of pattern samples (alpha, where there is one, full at (0, 0)
// so that it counts for nothing).
PngImage patternPng(int colourType, int depth, bool interlaced) {
  PngImage png{.width = 13,
               .height = 11,
               .colourType = colourType,
               .depth = depth,
               .interlaced = interlaced};
  png.samples = test::PatternSamples(png.width, png.height, colourType, depth);
  if (colourType == 4 || colourType == 6) {
    png.samples[channelsOf(colourType) - 1] = static_cast<uint16_t>((1u << depth) - 1);
  }
  for (int entry = 0; colourType == 3 && entry < (1 << depth); ++entry) {
    png.palette.insert(png.palette.end(),
                       {static_cast<uint8_t>(entry * 53), static_cast<uint8_t>(entry ^ 0xA5),
                        static_cast<uint8_t>(255 - entry * 3)});
  }
  return png;
}

TEST(PictureFile, EveryKindOfPngReadsAsImageMagickReadsIt) {
  test::TempFolder folder;
  struct Kind {
    int colourType;
    std::vector<int> depths;
  };
  const Kind kinds[] = {
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  for (const Kind& kind : kinds) {
    for (int depth : kind.depths) {
      for (bool interlaced : {false, true}) {
        const std::string name = "t" + std::to_string(kind.colourType) + "-" +
                                 std::to_string(depth) + (interlaced ? "i" : "") + ".png";
        const std::string path =
            written(folder, name, EncodePng(patternPng(kind.colourType, depth, interlaced)));
        Bitmap picture;
        LoadPictureFile(path, picture);
        EXPECT_TRUE(samePixels(picture, test::ImageMagickPixels(path))) << name;
      }
    }
  }
}

TEST(PictureFile, ProgressiveAndBaselineJpegsReadAsImageMagickReadsThem) {
  test::TempFolder folder;
  // A photograph's worth of detail: smooth shading with sharp edges.
  PngImage source{.width = 53, .height = 37, .colourType = 2};
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      const bool inside = (x - 26) * (x - 26) + (y - 18) * (y - 18) < 150;
      source.samples.insert(source.samples.end(), {static_cast<uint16_t>(inside ? 230 : x * 4),
                                                   static_cast<uint16_t>(inside ? 40 : y * 6),
                                                   static_cast<uint16_t>((x * y) % 256)});
    }
  }
  const std::string png = written(folder, "source.png", EncodePng(source));
  for (const char* options :
       {"-interlace JPEG -sampling-factor 2x2", "-interlace JPEG -sampling-factor 1x1",
        "-interlace JPEG -colorspace Gray", "-sampling-factor 2x2"}) {
    const std::string jpeg = folder / "picture.jpg";
    std::vector<std::string> arguments{png};
    std::istringstream words(options);
    for (std::string word; words >> word;) arguments.push_back(word);
    arguments.insert(arguments.end(), {"-quality", "80", jpeg});
    test::RunConvert(arguments);
    const std::string bytes = ReadFileBytes(jpeg);
    const bool progressive = bytes.find("\xFF\xC2") != std::string::npos;
    EXPECT_EQ(progressive, std::string(options).starts_with("-interlace")) << options;
    Bitmap picture;
    LoadPictureFile(jpeg, picture);
    EXPECT_TRUE(samePixels(picture, test::ImageMagickPixels(jpeg), kJpegTolerance)) << options;
  }
}

TEST(PictureFile, SeedFilesReadAndTheirJpegsAsImageMagickReadsThem) {
  test::TempFolder folder;
  std::map<std::string, Bitmap> jpegs;
  for (const auto& [name, bytes] : test::SeedPictures()) {
    const std::string path = written(folder, name, bytes);
    Bitmap picture;
    ASSERT_NO_THROW(LoadPictureFile(path, picture)) << name;
    EXPECT_FALSE(picture.Empty()) << name;
    if (name.ends_with(".jpg")) {
      EXPECT_TRUE(samePixels(picture, test::ImageMagickPixels(path), kJpegTolerance)) << name;
      jpegs[name] = picture;
    }
  }
  // The same blocks, in one scan or in several.
  EXPECT_EQ(jpegs["grey-baseline.jpg"], jpegs["grey-progressive.jpg"]);
  EXPECT_EQ(jpegs["colour-baseline.jpg"], jpegs["colour-progressive.jpg"]);
}

// Pixels as the tests write them: red, green, blue, alpha.
struct Rgba {
  uint16_t r, g, b, a;
};

PngImage rgbaPng(int width, int height, const std::vector<Rgba>& pixels, int depth = 8) {
  PngImage png{.width = width, .height = height, .colourType = 6, .depth = depth};
  for (const Rgba& p : pixels) png.samples.insert(png.samples.end(), {p.r, p.g, p.b, p.a});
  return png;
}

TEST(PictureFile, TransparentPixelsTakeTheTopLeftColourAndSilhouetteOfThatColourMovesInBlue) {
  const Bitmap picture = decoded(EncodePng(rgbaPng(4, 2,
                                                   {{10, 20, 30, 0},
                                                    {200, 100, 50, 127},
                                                    {10, 20, 30, 255},
                                                    {1, 2, 3, 128},
                                                    {99, 99, 99, 5},
                                                    {10, 20, 30, 128},
                                                    {7, 8, 255, 255},
                                                    {0, 0, 0, 0}})));
  const std::vector<uint32_t> expected = {0x0A141E, 0x0A141E, 0x0A141F, 0x010203,
                                          0x0A141E, 0x0A141F, 0x0708FF, 0x0A141E};
  EXPECT_EQ(std::vector<uint32_t>(picture.Pixels(), picture.Pixels() + 8), expected);

  // A key of full blue moves its look-alikes down instead.
  const Bitmap blue = decoded(EncodePng(rgbaPng(2, 1, {{7, 8, 255, 0}, {7, 8, 255, 255}})));
  EXPECT_EQ(blue.Row(0)[1], 0x0708FEu);
}

TEST(PictureFile, AnOpaqueTopLeftPixelLeavesEveryColourAsItIs) {
  const Bitmap picture =
      decoded(EncodePng(rgbaPng(3, 1, {{10, 20, 30, 255}, {200, 100, 50, 0}, {10, 20, 30, 0}})));
  EXPECT_EQ(std::vector<uint32_t>(picture.Pixels(), picture.Pixels() + 3),
            (std::vector<uint32_t>{0x0A141E, 0xC86432, 0x0A141E}));
}

TEST(PictureFile, SixteenBitSamplesRoundAndHalfOpaqueIsSilhouette) {
  const Bitmap picture = decoded(EncodePng(rgbaPng(3, 1,
                                                   {{0x1234, 0x0080, 0xFF7F, 0},
                                                    {0x0081, 0x8080, 0xFFFF, 32767},
                                                    {0x0101, 0x0101, 0x0202, 32768}},
                                                   16)));
  // v / 257: 0x1234 -> 18, 0x80 -> 0, 0xFF7E -> 254, 0x81 -> 0, 0x101 -> 1, 0x202 -> 2.
  EXPECT_EQ(picture.Row(0)[0], 0x1200FEu);
  EXPECT_EQ(picture.Row(0)[1], 0x1200FEu);  // alpha 32767: under half
  EXPECT_EQ(picture.Row(0)[2], 0x010102u);  // alpha 32768: half and over
}

TEST(PictureFile, TransparentPaletteEntriesAndGreyKeysAndGifColoursAreBackground) {
  PngImage palette{.width = 3, .height = 1, .colourType = 3, .depth = 2};
  palette.palette = {9, 9, 9, 50, 60, 70, 9, 9, 9};
  palette.transparency = {0, 255, 255};
  palette.samples = {0, 1, 2};
  const Bitmap fromPalette = decoded(EncodePng(palette));
  EXPECT_EQ(fromPalette.Row(0)[0], 0x090909u);
  EXPECT_EQ(fromPalette.Row(0)[1], 0x323C46u);
  EXPECT_EQ(fromPalette.Row(0)[2], 0x09090Au);  // the key colour, opaque: nudged

  PngImage grey{.width = 2, .height = 1, .colourType = 0, .depth = 8};
  grey.transparency = {0, 77};
  grey.samples = {77, 78};
  const Bitmap fromGrey = decoded(EncodePng(grey));
  EXPECT_EQ(fromGrey.Row(0)[0], 0x4D4D4Du);
  EXPECT_EQ(fromGrey.Row(0)[1], 0x4E4E4Eu);

  GifImage gif{.width = 3, .height = 1, .palette = {1, 2, 3, 40, 50, 60}};
  gif.indices = {1, 0, 1};
  gif.transparentIndex = 1;
  const Bitmap fromGif = decoded(EncodeGif(gif));
  const uint32_t key = fromGif.Row(0)[0];
  EXPECT_EQ(fromGif.Row(0)[2], key);
  EXPECT_EQ(fromGif.Row(0)[1], 0x010203u);
  EXPECT_NE(key, 0x010203u);
}

// A few of each format: PNG of two kinds, GIF, JPEG baseline and progressive.
std::vector<std::pair<std::string, Bytes>> sampleFiles() {
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& seed : test::SeedPictures()) {
    if (seed.first == "png-6-8.png" || seed.first == "png-3-4-interlaced.png" ||
        seed.first == "transparent.gif" || seed.first.starts_with("colour-")) {
      files.push_back(seed);
    }
  }
  return files;
}

TEST(PictureFile, TruncatedFilesOfEveryFormatAreRefused) {
  const auto files = sampleFiles();
  ASSERT_EQ(files.size(), 5u);
  for (const auto& [name, bytes] : files) {
    ASSERT_NO_THROW(decoded(bytes)) << name;
    // A GIF that lacks only its trailer holds the whole of its first frame.
    const size_t whole = name.ends_with(".gif") ? bytes.size() - 1 : bytes.size();
    EXPECT_NO_THROW(decoded(Bytes(bytes.begin(), bytes.begin() + whole))) << name;
    for (size_t length = 0; length < whole; ++length) {
      const std::string message = refusalOf(Bytes(bytes.begin(), bytes.begin() + length));
      EXPECT_TRUE(message.starts_with(kUnreadable))
          << name << " cut at " << length << ": " << message;
    }
  }
}

// bytes with the PNG chunk starting at offset given the right CRC again.
void fixCrc(Bytes& bytes, size_t offset) {
  const size_t length = (size_t{bytes[offset]} << 24) | (bytes[offset + 1] << 16) |
                        (bytes[offset + 2] << 8) | bytes[offset + 3];
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = offset + 4; i < offset + 8 + length; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  crc = ~crc;
  for (int i = 0; i < 4; ++i)
    bytes[offset + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}

TEST(PictureFile, DamagedFilesOfEveryFormatAreRefused) {
  const Bytes png = EncodePng(patternPng(2, 8, false));
  const size_t idat = 8 + 25;  // signature, header chunk
  Bytes flipped = png;
  flipped[idat + 8 + 20] ^= 0x10;  // a pixel byte: the chunk's CRC no longer fits
  Bytes badStream = png;
  badStream[idat + 8] = 0x77;  // not a zlib header, with a fitting CRC
  fixCrc(badStream, idat);
  Bytes badFilter = png;
  badFilter[idat + 8 + 2 + 5] = 9;  // the first row's filter type
  fixCrc(badFilter, idat);

  Bytes jpeg = test::EncodeBlockJpeg(24, 16, true, true);
  Bytes strangeScan = jpeg;  // the first scan names a component the frame lacks
  for (size_t i = 0; i + 1 < strangeScan.size(); ++i) {
    if (strangeScan[i] == 0xFF && strangeScan[i + 1] == 0xDA) {
      strangeScan[i + 5] = 9;
      break;
    }
  }
  // stb_image would overrun its tables on these two: more than 256 codes in a
  // Huffman table, and a scan that uses a table never defined.
  Bytes tooManyCodes = jpeg;
  for (size_t i = 0; i + 1 < tooManyCodes.size(); ++i) {
    if (tooManyCodes[i] == 0xFF && tooManyCodes[i + 1] == 0xC4) {
      std::fill_n(tooManyCodes.begin() + i + 5, 16, 0x20);
      break;
    }
  }
  Bytes undefinedTable = jpeg;
  size_t lastScan = 0;
  for (size_t i = 0; i + 1 < undefinedTable.size(); ++i) {
    if (undefinedTable[i] == 0xFF && undefinedTable[i + 1] == 0xDA) lastScan = i;
  }
  undefinedTable[lastScan + 6] = 0x01;  // an AC scan with AC table 1
  Bytes noComponents = jpeg;
  for (size_t i = 0; i + 1 < noComponents.size(); ++i) {
    if (noComponents[i] == 0xFF && noComponents[i + 1] == 0xC2) {
      noComponents[i + 9] = 0;
      break;
    }
  }

  GifImage gif{.width = 4, .height = 2, .palette = {0, 0, 0, 255, 255, 255}};
  gif.indices = {0, 1, 0, 1, 1, 0, 1, 0};
  const Bytes gifFile = EncodeGif(gif);
  Bytes wideCodes = gifFile;
  const size_t frame = 13 + 6;  // after the header and two colours
  wideCodes[frame + 10] = 13;   // LZW code size past 12 bits
  Bytes noImage = gifFile;
  noImage[frame] = 0x3B;  // the trailer where the frame begins

  const std::vector<Bytes> damaged = {flipped,      badStream,    badFilter,
                                      strangeScan,  tooManyCodes, undefinedTable,
                                      noComponents, wideCodes,    noImage};
  for (size_t i = 0; i < damaged.size(); ++i) {
    EXPECT_TRUE(refusalOf(damaged[i]).starts_with(kUnreadable)) << i;
  }
  // A damaged note beside the picture does not stop it.
  Bytes damagedNote = png;
  const Bytes note = {0, 0, 0, 4, 't', 'E', 'X', 't', 'a', 0, 'b', 'c', 1, 2, 3, 4};
  damagedNote.insert(damagedNote.begin() + idat, note.begin(), note.end());
  EXPECT_EQ(decoded(damagedNote), decoded(png));
  EXPECT_NE(refusalOf(tooManyCodes).find("ハフマン表"), std::string::npos);
  EXPECT_NE(refusalOf(undefinedTable).find("ハフマン表"), std::string::npos);
}

TEST(PictureFile, OversizedHeadersAreRefusedBeforeDecoding) {
  // Headers alone, with no pixel data behind them: only the size checks stop them.
  auto pngHeader = [](int width, int height) {
    return test::PngWithImageData({.width = width, .height = height, .colourType = 6}, {});
  };
  auto gifHeader = [](int width, int height) {
    Bytes bytes =
        test::EncodeGif({.width = 1, .height = 1, .palette = {0, 0, 0, 1, 1, 1}, .indices = {0}});
    bytes[6] = static_cast<uint8_t>(width);
    bytes[7] = static_cast<uint8_t>(width >> 8);
    bytes[8] = static_cast<uint8_t>(height);
    bytes[9] = static_cast<uint8_t>(height >> 8);
    return bytes;
  };
  auto jpegHeader = [](int width, int height) {
    Bytes bytes = test::EncodeBlockJpeg(8, 8, false, false);
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
      if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
        bytes[i + 5] = static_cast<uint8_t>(height >> 8);
        bytes[i + 6] = static_cast<uint8_t>(height);
        bytes[i + 7] = static_cast<uint8_t>(width >> 8);
        bytes[i + 8] = static_cast<uint8_t>(width);
        break;
      }
    }
    return bytes;
  };
  for (auto [width, height] : {std::pair{kMaxBitmapSide + 1, 1}, std::pair{1, kMaxBitmapSide + 1},
                               std::pair{8192, 8193}, std::pair{65535, 65535}}) {
    for (const Bytes& bytes :
         {pngHeader(width, height), gifHeader(width, height), jpegHeader(width, height)}) {
      const std::string message = refusalOf(bytes);
      EXPECT_NE(message.find("大きすぎます"), std::string::npos)
          << width << " x " << height << ": " << message;
    }
  }
}

TEST(PictureFile, DataThatUnpacksToFarMoreThanThePictureIsRefused) {
  // 16 x 16 pixels need 1 KiB of rows; these unpack to 256 MiB.
  const PngImage header{.width = 16, .height = 16, .colourType = 6};
  const Bytes bomb = test::PngWithImageData(header, test::ZlibOfZeros(size_t{256} << 20));
  EXPECT_LT(bomb.size(), size_t{2} << 20);
  EXPECT_NE(refusalOf(bomb).find("多すぎます"), std::string::npos);
  // The same rows at their right length read.
  EXPECT_EQ(decoded(test::PngWithImageData(header, test::ZlibOfZeros(16 * 65))).Width(), 16);
}

TEST(PictureFile, BitmapsAndUnknownFilesGoToTheBitmapReader) {
  test::TempFolder folder;
  Bitmap original = test::SolidPicture(3, 2, 0x102030);
  const std::string path = folder / "a.png";  // the name does not decide the format
  SaveBitmapFile(path, original);
  Bitmap picture;
  picture.canvas.penColour = 0x445566;
  LoadPictureFile(path, picture);
  EXPECT_EQ(picture, original);
  EXPECT_EQ(picture.canvas.penColour, 0x445566u);
  EXPECT_NE(refusalOf({'G', 'I', 'F', '8'}).find("ビットマップファイルではありません"),
            std::string::npos);
  WriteFileBytes(folder / "text.png", "plain text");
  try {
    LoadPictureFile(folder / "text.png", picture);
    ADD_FAILURE();
  } catch (const PlatformError& error) {
    EXPECT_NE(std::string(error.what()).find(folder / "text.png"), std::string::npos);
  }
  EXPECT_EQ(picture, original);
}

TEST(PictureFile, PictureNamesAreKnownByTheirExtensionInAnyCase) {
  for (const char* name : {"a.bmp", "b.PNG", "/x/c.Jpg", "d.jpeg", "e.GIF"}) {
    EXPECT_TRUE(IsPictureFileName(name)) << name;
  }
  for (const char* name : {"a.dat", "png", "a.png.txt", "/x.png/readme", "a.tif"}) {
    EXPECT_FALSE(IsPictureFileName(name)) << name;
  }
}

}  // namespace
}  // namespace puffel
