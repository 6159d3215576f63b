// The animation in an exported GLB file holds exactly the keys.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace puffel
