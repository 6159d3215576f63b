// Keys at their own times: easing, the loop, and the edits that keep the
// keys in order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "anim/key_edits.h"
#include "anim/key_poses.h"

namespace puffel {
namespace {

bool same(const KeyPose& a, const KeyPose& b) {
  return a.joints.size() == b.joints.size() &&
         std::memcmp(a.joints.data(), b.joints.data(), a.joints.size() * sizeof(JointPose)) == 0;
}

KeyPose randomKey(std::mt19937& random) {
  std::uniform_real_distribution<double> value(-1, 1);
  KeyPose key;
  for (int p = 0; p < 2; ++p) {
    Quaternion q{value(random), value(random), value(random), value(random)};
    const double length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    key.joints.push_back({{value(random), value(random), value(random)},
                          {q.x / length, q.y / length, q.z / length, q.w / length},
                          1.5 + value(random)});
  }
  return key;
}

// The loop of keys one interval apart as it was played before keys had
// times: the oracle linear keys must match bit for bit.
KeyPose evenlySteppedPose(const std::vector<KeyPose>& keys, double interval, double time) {
  const double steps = time / interval;
  const double whole = std::floor(steps);
  const size_t n = keys.size();
  const size_t from = static_cast<size_t>(std::fmod(whole, static_cast<double>(n)));
  const double t = steps - whole;
  if (t == 0 || n == 1) return keys[from];
  return Interpolate(keys[from], keys[(from + 1) % n], t);
}

TEST(KeyTiming, EasingsMeetTheKeysAtTheEndsAndShareTheMiddle) {
  for (const Easing easing : {Easing::Linear, Easing::Smooth}) {
    EXPECT_EQ(Ease(easing, 0), 0);
    EXPECT_EQ(Ease(easing, 0.5), 0.5);
    EXPECT_EQ(Ease(easing, 1), 1);
  }
  EXPECT_EQ(Ease(Easing::Linear, 0.25), 0.25);
  // Smooth starts and ends slowly, and is symmetric.
  EXPECT_EQ(Ease(Easing::Smooth, 0.25), 0.15625);
  EXPECT_EQ(Ease(Easing::Smooth, 0.75), 0.84375);
  EXPECT_LT(Ease(Easing::Smooth, 0.01), 0.001);
  for (const double t : {0.0, 0.25, 0.5, 0.99}) EXPECT_EQ(Ease(Easing::Hold, t), 0);
}

// Keys added one interval apart play exactly the poses of the loop they
// replace, at every frame of several loops and at times between frames.
TEST(KeyTiming, LinearKeysAddedOneIntervalApartPlayTheEvenLoopBitForBit) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> anyTime(0, 20);
  for (const double interval : KeyIntervals) {
    for (size_t n = 1; n <= 5; ++n) {
      Scene scene;
      scene.KeyInterval = interval;
      for (size_t k = 0; k < n; ++k) AppendKey(scene, randomKey(random));
      ASSERT_EQ(scene.LoopLength, interval * n);
      for (int f = 0; f < 300; ++f) {
        for (const double time : {f / 30.0, anyTime(random)}) {
          EXPECT_TRUE(same(PoseAtTime(scene.AnimationKeys, scene.LoopLength, time),
                           evenlySteppedPose(scene.AnimationKeys, interval, time)))
              << interval << " " << n << " " << time;
        }
      }
    }
  }
}

// Between two keys the easing of the first gives the share of the way; the
// last key eases back into the first across the loop's end.
TEST(KeyTiming, EachSpanFollowsTheEasingOfTheKeyItStartsAt) {
  std::mt19937 random(3);
  Scene scene;
  for (int k = 0; k < 3; ++k) AppendKey(scene, randomKey(random));
  ASSERT_TRUE(RetimeKey(scene, 1, 0.4));
  ASSERT_TRUE(RetimeKey(scene, 2, 2.5));  // the loop's end follows: 3.5
  EXPECT_EQ(scene.LoopLength, 3.5);
  scene.AnimationKeys[0].easing = Easing::Smooth;
  scene.AnimationKeys[1].easing = Easing::Hold;
  scene.AnimationKeys[2].easing = Easing::Smooth;
  const std::vector<KeyPose>& keys = scene.AnimationKeys;
  for (const double share : {0.0, 0.25, 0.5, 0.75}) {
    const KeyPose first = PoseAtTime(keys, 3.5, 0.4 * share);
    const KeyPose second = PoseAtTime(keys, 3.5, 0.4 + 2.1 * share);
    const KeyPose back = PoseAtTime(keys, 3.5, 3.5 + 2.5 + share);
    const double eased = Ease(Easing::Smooth, share);
    for (int p = 0; p < 2; ++p) {
      const KeyPose expected = Interpolate(keys[0], keys[1], eased);
      EXPECT_NEAR(first.joints[p].rotation.x, expected.joints[p].rotation.x, 1e-12);
      EXPECT_NEAR(first.joints[p].translation.y, expected.joints[p].translation.y, 1e-12);
      const KeyPose around = Interpolate(keys[2], keys[0], eased);
      EXPECT_NEAR(back.joints[p].rotation.w, around.joints[p].rotation.w, 1e-12);
    }
    EXPECT_TRUE(same(second, keys[1])) << share;  // held
  }
}

// Inserting, retiming and deleting keep every key's pose at its time, the
// first key at 0 and the loop past the last key.
TEST(KeyTiming, EditsKeepThePosesAtTheKeysTimes) {
  std::mt19937 random(11);
  Scene scene;
  scene.KeyInterval = 0.5;
  for (int k = 0; k < 3; ++k) AppendKey(scene, randomKey(random));
  InsertKey(scene, 0, randomKey(random));
  EXPECT_EQ(scene.AnimationKeys[1].time, 0.25);
  EXPECT_EQ(scene.SelectedKey, 1);
  InsertKey(scene, 3, randomKey(random));  // after the last: at the loop's end
  EXPECT_EQ(scene.AnimationKeys[4].time, 1.5);
  EXPECT_EQ(scene.LoopLength, 2);
  EXPECT_FALSE(RetimeKey(scene, 2, 0.25));  // onto its neighbour
  EXPECT_FALSE(RetimeKey(scene, 2, 1.2));   // past the next
  EXPECT_FALSE(RetimeKey(scene, 0, 0.1));   // the first stays at 0
  EXPECT_TRUE(RetimeKey(scene, 2, 0.9));
  const auto check = [&](const char* step) {
    const std::vector<KeyPose>& keys = scene.AnimationKeys;
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys[0].time, 0) << step;
    for (size_t k = 0; k < keys.size(); ++k) {
      EXPECT_TRUE(same(PoseAtTime(keys, scene.LoopLength, keys[k].time), keys[k])) << step << k;
      if (k > 0) {
        EXPECT_GT(keys[k].time, keys[k - 1].time) << step;
      }
    }
    EXPECT_GT(scene.LoopLength, keys.back().time) << step;
  };
  check("retimed");
  const double tail = scene.LoopLength - scene.AnimationKeys.back().time;
  DeleteKey(scene, 4);
  EXPECT_EQ(scene.LoopLength - scene.AnimationKeys.back().time, tail);
  check("last deleted");
  DeleteKey(scene, 0);  // the next key becomes the first, everything earlier
  EXPECT_EQ(scene.LoopLength, 1.25);
  check("first deleted");
  DeleteKey(scene, 1);
  check("middle deleted");
  DeleteKey(scene, 0);
  DeleteKey(scene, 0);
  EXPECT_TRUE(scene.AnimationKeys.empty());
  EXPECT_EQ(scene.LoopLength, 0);
}

}  // namespace
}  // namespace puffel
