#include "project/animation_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>
#include <random>

#include "project/byte_fields.h"

namespace puffel {
namespace {

// keys keys of parts random joints, 0.75 seconds apart, of every easing in
// turn, the loop one more step long.
Animation someAnimation(int parts, int keys) {
  std::mt19937 random(static_cast<unsigned>(parts * 100 + keys));
  std::uniform_real_distribution<double> value(-1, 1);
  Animation animation;
  animation.interval = 0.5;
  for (int k = 0; k < keys; ++k) {
    KeyPose key;
    key.time = 0.75 * k;
    key.easing = static_cast<Easing>(k % 3);
    for (int p = 0; p < parts; ++p) {
      Quaternion q{value(random), value(random), value(random), value(random)};
      const double length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
      q = {q.x / length, q.y / length, q.z / length, q.w / length};
      key.joints.push_back({{value(random), value(random), value(random)}, q, 1.5 + value(random)});
    }
    animation.keys.push_back(key);
  }
  animation.loopLength = 0.75 * keys;
  return animation;
}

void putDouble(std::string& bytes, size_t at, double value) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  for (int b = 0; b < 8; ++b) bytes[at + b] = static_cast<char>(bits >> (8 * b));
}

void putInt(std::string& bytes, size_t at, int32_t value) {
  for (int b = 0; b < 4; ++b)
    bytes[at + b] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * b));
}

TEST(AnimationFile, RoundTripsEveryNumberToTheBit) {
  for (const int parts : {1, 7, 32}) {
    for (const int keys : {0, 1, 5}) {
      const Animation animation = someAnimation(parts, keys);
      const std::string bytes = EncodeAnimation(animation, parts);
      EXPECT_EQ(bytes.size(), 32 + (9 + size_t{64} * parts) * keys);
      EXPECT_EQ(bytes.substr(0, 4), "PFAN");
      const Animation read = DecodeAnimation(bytes, parts);
      EXPECT_EQ(read.interval, 0.5);
      EXPECT_EQ(EncodeAnimation(read, parts), bytes);
    }
  }
  EXPECT_EQ(AnimationFilePath("save/cat.dat"), "save/cat.anim");
  EXPECT_EQ(AnimationFilePath("save/cat"), "save/cat.anim");
}

// A version 1 file (no loop length, times or easings) reads as linear keys
// one interval apart, the loop one interval past the last, the joints as
// they were.
TEST(AnimationFile, ReadsVersionOneAsEvenLinearKeys) {
  for (const int keys : {0, 1, 4}) {
    const Animation written = someAnimation(3, keys);
    std::string bytes = EncodeAnimation(written, 3);
    putInt(bytes, 4, 1);
    bytes.erase(16, 8);  // the loop length
    for (int k = keys - 1; k >= 0; --k) bytes.erase(24 + k * (9 + 64 * 3), 9);
    const Animation read = DecodeAnimation(bytes, 3);
    EXPECT_EQ(read.loopLength, 0.5 * keys);
    ASSERT_EQ(read.keys.size(), written.keys.size());
    for (int k = 0; k < keys; ++k) {
      EXPECT_EQ(read.keys[k].time, 0.5 * k);
      EXPECT_EQ(read.keys[k].easing, Easing::Linear);
      EXPECT_EQ(std::memcmp(read.keys[k].joints.data(), written.keys[k].joints.data(),
                            3 * sizeof(JointPose)),
                0);
    }
  }
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
  for (const int32_t version : {0, 3}) {
    bytes = good;
    putInt(bytes, 4, version);
    EXPECT_TRUE(refused(bytes)) << version;
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const double interval : {0.0, 0.3, -1.0, nan}) {
    bytes = good;
    putDouble(bytes, 8, interval);
    EXPECT_TRUE(refused(bytes)) << interval;
  }
  // The loop must end after the last key, at 0.75 seconds.
  for (const double loop : {0.75, 0.5, -1.0, nan, std::numeric_limits<double>::infinity()}) {
    bytes = good;
    putDouble(bytes, 16, loop);
    EXPECT_TRUE(refused(bytes)) << loop;
  }
  for (const int32_t keys : {-1, 1, 3, std::numeric_limits<int32_t>::max()}) {
    bytes = good;
    putInt(bytes, 28, keys);
    EXPECT_TRUE(refused(bytes)) << keys;
  }
  EXPECT_TRUE(refused(good.substr(0, good.size() - 1)));
  EXPECT_TRUE(refused(good + '\0'));
  EXPECT_TRUE(refused(good.substr(0, 10)));
  const size_t second = 32 + 9 + 64 * 3;  // the second key
  // Times: the first not at 0, the second not after it, or not a number.
  for (const auto& [at, time] :
       {std::pair{size_t{32}, 0.25}, {second, 0.0}, {second, -0.5}, {second, nan}}) {
    bytes = good;
    putDouble(bytes, at, time);
    EXPECT_TRUE(refused(bytes)) << at << " " << time;
  }
  bytes = good;
  bytes[second + 8] = 3;  // no easing
  EXPECT_TRUE(refused(bytes));
  const size_t joint = second + 9 + 64;  // the second key's second joint
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
  // No parts, no keys: a count of keys without joints is refused too, and a
  // loop without keys.
  std::string empty = EncodeAnimation({}, 0);
  EXPECT_FALSE(refused(empty, 0));
  putDouble(empty, 16, 1);
  EXPECT_TRUE(refused(empty, 0));
  empty = EncodeAnimation({}, 0);
  putInt(empty, 28, 1000000);
  EXPECT_TRUE(refused(empty, 0));
}

}  // namespace
}  // namespace puffel
