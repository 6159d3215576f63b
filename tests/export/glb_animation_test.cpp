// The animation in an exported GLB file holds exactly the keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "anim/key_edits.h"
#include "anim/key_poses.h"
#include "export/glb_reading.h"
#include "export/model_export.h"
#include "export/posed_figures.h"

namespace puffel {
namespace {

TEST(GlbAnimation, SamplersHoldTheKeysAndTurnBackIntoTheFirst) {
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  test::PoseFigure(*program);
  scene.KeyInterval = 0.5;
  for (int k = 0; k < 3; ++k) {
    AppendKey(scene, *KeyOfScene(scene));
    // Turns of more than half a round between keys: a rotation's quaternion
    // may change sign from one key to the next.
    test::TurnSubtree(scene, 3, {0, 0, 1}, 2.5);
    test::MoveTree(scene, 0, 7, 3);
  }
  const std::string path = program->folder() / "pic_hozon/animated.glb";
  ExportFigure(scene, path);
  const tinygltf::Model gltf = test::ReadGlb(path);
  ASSERT_EQ(gltf.animations.size(), 1u);
  const tinygltf::Animation& animation = gltf.animations[0];
  ASSERT_EQ(animation.channels.size(), size_t{3} * scene.PartCount);
  for (const tinygltf::AnimationChannel& channel : animation.channels) {
    const tinygltf::AnimationSampler& sampler = animation.samplers.at(channel.sampler);
    EXPECT_EQ(sampler.interpolation, "LINEAR");
    EXPECT_EQ(test::ReadAccessor(gltf, sampler.input), (std::vector<double>{0, 0.5, 1, 1.5}));
    const std::vector<double> values = test::ReadAccessor(gltf, sampler.output);
    const int k = channel.target_node;
    const auto expected = [&](size_t n) -> std::vector<double> {
      const JointPose& joint = scene.AnimationKeys[n % 3].joints[k];
      if (channel.target_path == "translation") {
        return {joint.translation.x, joint.translation.y, joint.translation.z};
      }
      if (channel.target_path == "scale") return {joint.scale, joint.scale, joint.scale};
      const Quaternion& q = joint.rotation;
      return {q.x, q.y, q.z, q.w};
    };
    const size_t width = expected(0).size();
    ASSERT_EQ(values.size(), 4 * width);
    double sign = 1;
    for (size_t n = 0; n < 4; ++n) {
      std::vector<double> wanted = expected(n);
      if (channel.target_path == "rotation" && n > 0) {
        // Each on the side of the one before: the same turn either way.
        double dot = 0;
        for (size_t c = 0; c < 4; ++c) dot += wanted[c] * sign * values[4 * (n - 1) + c];
        if (dot < 0) sign = -sign;
      }
      for (size_t c = 0; c < width; ++c) {
        const double value = channel.target_path == "rotation" ? sign * wanted[c] : wanted[c];
        EXPECT_EQ(values[n * width + c], static_cast<float>(value))
            << channel.target_path << " of joint " << k << " at key " << n;
      }
    }
  }
  // The nodes keep the pose of the moment, not the first key's.
  const JointPose now = KeyOfScene(scene)->joints[0];
  EXPECT_DOUBLE_EQ(gltf.nodes[0].translation[0], now.translation.x);
}

// Eased keys are sampled into linear samplers: every key's time and every
// frame's, each pose the program's; a player joining them by straight lines
// meets the program's poses at 0, 1/4, 1/2 and 3/4 of every span to well
// under a tenth of a millimetre.
TEST(GlbAnimation, EasedKeysAreSampledSoThatAPlayerMeetsTheProgramsPoses) {
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  test::PoseFigure(*program);
  for (int k = 0; k < 3; ++k) {
    AppendKey(scene, *KeyOfScene(scene));
    test::TurnSubtree(scene, 3, {0, 0, 1}, 1.2);
    test::MoveTree(scene, 0, 40, -25);
  }
  ASSERT_TRUE(RetimeKey(scene, 1, 0.7));
  scene.AnimationKeys[0].easing = Easing::Smooth;
  scene.AnimationKeys[2].easing = Easing::Hold;
  const std::string path = program->folder() / "pic_hozon/eased.glb";
  ExportFigure(scene, path);
  const tinygltf::Model gltf = test::ReadGlb(path);
  const tinygltf::Animation& animation = gltf.animations.at(0);
  const std::vector<double> times = test::ReadAccessor(gltf, animation.samplers[0].input);
  for (const KeyPose& key : scene.AnimationKeys) {
    EXPECT_EQ(std::count(times.begin(), times.end(), static_cast<float>(key.time)), 1);
  }
  for (int f = 0; f < 90; ++f) {
    EXPECT_EQ(std::count(times.begin(), times.end(), static_cast<float>(f / 30.0)), 1) << f;
  }
  EXPECT_EQ(times.back(), static_cast<float>(scene.LoopLength));
  double worst = 0;
  for (const tinygltf::AnimationChannel& channel : animation.channels) {
    if (channel.target_path != "translation") continue;
    const std::vector<double> values =
        test::ReadAccessor(gltf, animation.samplers.at(channel.sampler).output);
    const int k = channel.target_node;
    for (size_t span = 0; span < scene.AnimationKeys.size(); ++span) {
      const double start = scene.AnimationKeys[span].time;
      const double end = span + 1 < scene.AnimationKeys.size() ? scene.AnimationKeys[span + 1].time
                                                               : scene.LoopLength;
      for (const double share : {0.0, 0.25, 0.5, 0.75}) {
        const double time = start + share * (end - start);
        const size_t after = std::upper_bound(times.begin(), times.end(), time) - times.begin();
        const double t = (time - times[after - 1]) / (times[after] - times[after - 1]);
        const Point3 wanted =
            PoseAtTime(scene.AnimationKeys, scene.LoopLength, time).joints[k].translation;
        const double want[] = {wanted.x, wanted.y, wanted.z};
        for (size_t c = 0; c < 3; ++c) {
          const double played = (1 - t) * values[3 * (after - 1) + c] + t * values[3 * after + c];
          worst = std::max(worst, std::abs(played - want[c]));
        }
      }
    }
  }
  EXPECT_LT(worst, 1e-4);
}

}  // namespace
}  // namespace puffel
