#include "export/gif_encode.h"

#include <gtest/gtest.h>

#include <random>

#include "export/gif_reading.h"

namespace puffel {
namespace {

// One frame of indices through the encoder and back through giflib.
std::vector<uint8_t> roundTrip(const std::vector<uint8_t>& indices, int width, int bits) {
  const int height = static_cast<int>(indices.size()) / width;
  std::string gif = "GIF89a";
  gif += {static_cast<char>(width & 0xFF),
          static_cast<char>(width >> 8),
          static_cast<char>(height & 0xFF),
          static_cast<char>(height >> 8),
          0,
          0,
          0};
  gif += {0x2C,
          0,
          0,
          0,
          0,
          static_cast<char>(width & 0xFF),
          static_cast<char>(width >> 8),
          static_cast<char>(height & 0xFF),
          static_cast<char>(height >> 8),
          static_cast<char>(0x80 | (bits - 1))};
  gif += std::string(3 << bits, '\x7F');
  gif += GifImageData(indices, bits);
  gif += '\x3B';
  return test::ReadGifFile(gif).indices.at(0);
}

// Runs, noise and long repeats at every index size: the codes grow, and the
// dictionary fills and starts again, exactly where a decoder expects.
TEST(GifImageData, DecodesToTheSameIndicesAtEverySize) {
  std::mt19937 random(3);
  for (int bits = 1; bits <= 8; ++bits) {
    for (const int kind : {0, 1, 2}) {
      const int width = 97;
      std::vector<uint8_t> indices(width * (kind == 2 ? 400 : 131));
      for (size_t n = 0; n < indices.size(); ++n) {
        const int value = kind == 0   ? static_cast<int>(random())
                          : kind == 1 ? static_cast<int>(n / 37 + (random() % 9 == 0))
                                      : static_cast<int>(n % 5 == 0 ? random() : n / 3);
        indices[n] = static_cast<uint8_t>(value & ((1 << bits) - 1));
      }
      ASSERT_EQ(roundTrip(indices, width, bits), indices) << bits << " " << kind;
    }
  }
  const std::vector<uint8_t> single{1};
  EXPECT_EQ(roundTrip(single, 1, 1), single);
}

Bitmap framePicture(int width, int height, int step, int colours) {
  Bitmap frame(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool inside = (x - step * 3 - 20) * (x - step * 3 - 20) + (y - 30) * (y - 30) < 300;
      frame.Row(y)[x] =
          inside ? static_cast<uint32_t>(0x203040 + 0x010305 * ((x + y) % colours)) : 0xFF000000u;
    }
  }
  return frame;
}

// A disc moving over black, with as many colours as fit a palette: every
// frame shows exactly its picture, for the delays given, looping forever.
TEST(GifEncoder, FramesOfFewColoursShowExactly) {
  GifEncoder encoder(90, 60);
  std::vector<Bitmap> frames;
  const std::vector<int> delays{3, 3, 4, 3, 3, 4, 3};
  for (size_t f = 0; f < delays.size(); ++f) {
    // The fourth frame repeats the third.
    frames.push_back(framePicture(90, 60, f == 3 ? 2 : static_cast<int>(f), 200));
    encoder.AddFrame(frames.back(), delays[f]);
  }
  const test::ReadGif gif = test::ReadGifFile(encoder.Finish());
  EXPECT_EQ(gif.width, 90);
  EXPECT_EQ(gif.height, 60);
  EXPECT_TRUE(gif.loopsForever);
  EXPECT_EQ(gif.delays, delays);
  EXPECT_EQ(gif.disposals, std::vector<int>(delays.size(), DISPOSE_DO_NOT));
  for (size_t f = 0; f < frames.size(); ++f) {
    const uint32_t* expected = frames[f].Pixels();
    for (size_t n = 0; n < gif.shown[f].size(); ++n) {
      ASSERT_EQ(gif.shown[f][n], expected[n] & 0xFFFFFF) << "frame " << f << " pixel " << n;
    }
  }
  // Only the rectangle the disc moved in is stored after the first frame.
  EXPECT_EQ(gif.indices[0].size(), size_t{90 * 60});
  EXPECT_LT(gif.indices[1].size(), size_t{90 * 60 / 2});
  EXPECT_EQ(gif.indices[3].size(), size_t{1});
}

// More colours than a palette holds: each frame is close to its picture.
TEST(GifEncoder, FramesOfManyColoursShowClose) {
  std::mt19937 random(5);
  GifEncoder encoder(64, 64);
  std::vector<Bitmap> frames;
  for (int f = 0; f < 3; ++f) {
    Bitmap frame(64, 64);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        frame.Row(y)[x] = static_cast<uint32_t>((x * 4 + f) << 16 | (y * 4) << 8 | (random() % 64));
      }
    }
    frames.push_back(frame);
    encoder.AddFrame(frame, 10);
  }
  const test::ReadGif gif = test::ReadGifFile(encoder.Finish());
  ASSERT_EQ(gif.shown.size(), frames.size());
  for (size_t f = 0; f < frames.size(); ++f) {
    double error = 0;
    for (size_t n = 0; n < gif.shown[f].size(); ++n) {
      const uint32_t a = gif.shown[f][n];
      const uint32_t b = frames[f].Pixels()[n];
      for (int shift = 0; shift < 24; shift += 8) {
        error +=
            std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
      }
    }
    EXPECT_LT(error / (3 * 64 * 64), 8) << f;
  }
}

}  // namespace
}  // namespace puffel
