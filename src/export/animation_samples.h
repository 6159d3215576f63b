// The animation as a linear sampler holds it: times and the poses at them,
// which a player joins by straight lines (and turns by the shorter arc).
#pragma once

#include <vector>

#include "scene/scene.h"

namespace puffel {

struct AnimationSamples {
  std::vector<double> times;   // increasing from 0, the loop's end last
  std::vector<KeyPose> poses;  // one per time, the first key again at the end
};

// With every key linear, the keys at their times: a linear sampler plays
// them as the program does. Any other easing is sampled at the playback rate
// and at every key's time (so that each key is met exactly and a held key
// turns at its next one within a frame). Cubic samplers cannot carry eased
// turns: glTF interpolates a cubic rotation number by number, which is not
// the program's even-speed turn along the arc. Nothing without keys.
AnimationSamples SampleAnimation(const Scene& scene);

}  // namespace puffel
