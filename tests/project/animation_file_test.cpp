#include "project/animation_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>
#include <random>

#include "project/byte_fields.h"

namespace puffel {
namespace {

Animation someAnimation(int parts, int keys) {
  std::mt19937 random(static_cast<unsigned>(parts * 100 + keys));
  std::uniform_real_distribution<double> value(-1, 1);
  Animation animation;
  animation.interval = 0.5;
  for (int k = 0; k < keys; ++k) {
    KeyPose key;
    for (int p = 0; p < parts; ++p) {
      Quaternion q{value(random), value(random), value(random), value(random)};
      const double length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
      q = {q.x / length, q.y / length, q.z / length, q.w / length};
      key.joints.push_back({{value(random), value(random), value(random)}, q, 1.5 + value(random)});
    }
    animation.keys.push_back(key);
  }
  return animation;
}

TEST(AnimationFile, RoundTripsEveryNumberToTheBit) {
  for (const int parts : {1, 7, 32}) {
    for (const int keys : {0, 1, 5}) {
      const Animation animation = someAnimation(parts, keys);
      const std::string bytes = EncodeAnimation(animation, parts);
      EXPECT_EQ(bytes.size(), 24 + size_t{64} * parts * keys);
      EXPECT_EQ(bytes.substr(0, 4), "PFAN");
      const Animation read = DecodeAnimation(bytes, parts);
      EXPECT_EQ(read.interval, 0.5);
      EXPECT_EQ(EncodeAnimation(read, parts), bytes);
    }
  }
  EXPECT_EQ(AnimationFilePath("save/cat.dat"), "save/cat.anim");
  EXPECT_EQ(AnimationFilePath("save/cat"), "save/cat.anim");
}

void putDouble(std::string& bytes, size_t at, double value) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  for (int b = 0; b < 8; ++b) bytes[at + b] = static_cast<char>(bits >> (8 * b));
}

void putInt(std::string& bytes, size_t at, int32_t value) {
  for (int b = 0; b < 4; ++b)
    bytes[at + b] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * b));
}

// Every field damaged in turn is refused.
TEST(AnimationFile, RefusesADamagedFieldOfEveryKind) {
  const std::string good = EncodeAnimation(someAnimation(3, 2), 3);
  const auto refused = [&](const std::string& bytes, int parts = 3) {
    try {
      DecodeAnimation(bytes, parts);
    } catch (const DamagedProject&) {
      return true;
    }
    return false;
  };
  EXPECT_FALSE(refused(good));
  EXPECT_TRUE(refused(good, 4));  // another project's part count
  std::string bytes = good;
  bytes[0] = 'X';
  EXPECT_TRUE(refused(bytes));
  bytes = good;
  putInt(bytes, 4, 2);  // version
  EXPECT_TRUE(refused(bytes));
  for (const double interval : {0.0, 0.3, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
    bytes = good;
    putDouble(bytes, 8, interval);
    EXPECT_TRUE(refused(bytes)) << interval;
  }
  for (const int32_t keys : {-1, 1, 3, std::numeric_limits<int32_t>::max()}) {
    bytes = good;
    putInt(bytes, 20, keys);
    EXPECT_TRUE(refused(bytes)) << keys;
  }
  EXPECT_TRUE(refused(good.substr(0, good.size() - 1)));
  EXPECT_TRUE(refused(good + '\0'));
  EXPECT_TRUE(refused(good.substr(0, 10)));
  const size_t joint = 24 + 64 * 4;  // the second key's second joint
  for (int field = 0; field < 8; ++field) {
    bytes = good;
    putDouble(bytes, joint + 8 * field, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(refused(bytes)) << field;
  }
  bytes = good;
  putDouble(bytes, joint + 8 * 6, 0.5);  // the rotation's w: no longer of unit length
  EXPECT_TRUE(refused(bytes));
  bytes = good;
  putDouble(bytes, joint + 8 * 7, 0);  // the scale
  EXPECT_TRUE(refused(bytes));
  // No parts, no keys: a count of keys without joints is refused too.
  std::string empty = EncodeAnimation({}, 0);
  EXPECT_FALSE(refused(empty, 0));
  putInt(empty, 20, 1000000);
  EXPECT_TRUE(refused(empty, 0));
}

}  // namespace
}  // namespace puffel
