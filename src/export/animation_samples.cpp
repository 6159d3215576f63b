#include "export/animation_samples.h"

#include <algorithm>
#include <cmath>

#include "anim/key_poses.h"
#include "anim/playback_rate.h"

namespace puffel {

AnimationSamples SampleAnimation(const Scene& scene) {
  const std::vector<KeyPose>& keys = scene.AnimationKeys;
  AnimationSamples samples;
  if (keys.empty()) return samples;
  const bool linear = std::all_of(keys.begin(), keys.end(),
                                  [](const KeyPose& key) { return key.easing == Easing::Linear; });
  if (linear) {
    for (const KeyPose& key : keys) samples.times.push_back(key.time);
    samples.poses = keys;
  } else {
    // Frame times and key times merged, each once.
    size_t k = 0;
    for (int f = 0;; ++f) {
      const double frame = static_cast<double>(f) / PlaybackRate;
      for (; k < keys.size() && keys[k].time <= frame; ++k) {
        if (keys[k].time < frame) samples.times.push_back(keys[k].time);
      }
      if (frame >= scene.LoopLength) break;
      samples.times.push_back(frame);
    }
    for (const double time : samples.times) {
      samples.poses.push_back(PoseAtTime(keys, scene.LoopLength, time));
    }
  }
  samples.times.push_back(scene.LoopLength);
  samples.poses.push_back(keys[0]);
  return samples;
}

}  // namespace puffel
