#include "anim/key_edits.h"

#include <cmath>
#include <utility>

namespace puffel {

void AppendKey(Scene& scene, KeyPose key) {
  std::vector<KeyPose>& keys = scene.AnimationKeys;
  key.time = keys.empty() ? 0 : scene.LoopLength;
  scene.LoopLength = key.time + scene.KeyInterval;
  keys.push_back(std::move(key));
  scene.SelectedKey = static_cast<int>(keys.size()) - 1;
}

void InsertKey(Scene& scene, int after, KeyPose key) {
  std::vector<KeyPose>& keys = scene.AnimationKeys;
  if (after < 0 || after + 1 >= static_cast<int>(keys.size())) {
    key.easing = keys.empty() || after < 0 ? Easing::Linear : keys[after].easing;
    AppendKey(scene, std::move(key));
    return;
  }
  key.time = (keys[after].time + keys[after + 1].time) / 2;
  key.easing = keys[after].easing;
  keys.insert(keys.begin() + after + 1, std::move(key));
  scene.SelectedKey = after + 1;
}

void DeleteKey(Scene& scene, int k) {
  std::vector<KeyPose>& keys = scene.AnimationKeys;
  scene.SelectedKey = -1;
  if (keys.size() <= 1) {
    ClearKeys(scene);
    return;
  }
  if (k == 0) {
    const double shift = keys[1].time;
    keys.erase(keys.begin());
    for (KeyPose& key : keys) key.time -= shift;
    scene.LoopLength -= shift;
  } else if (k + 1 == static_cast<int>(keys.size())) {
    const double tail = scene.LoopLength - keys[k].time;
    keys.pop_back();
    scene.LoopLength = keys.back().time + tail;
  } else {
    keys.erase(keys.begin() + k);
  }
}

void ClearKeys(Scene& scene) {
  scene.AnimationKeys.clear();
  scene.LoopLength = 0;
  scene.SelectedKey = -1;
}

bool RetimeKey(Scene& scene, int k, double seconds) {
  std::vector<KeyPose>& keys = scene.AnimationKeys;
  const int n = static_cast<int>(keys.size());
  if (k < 0 || k >= n || !std::isfinite(seconds)) return false;
  if (k == 0) return seconds == 0;
  if (!(seconds > keys[k - 1].time) || (k + 1 < n && !(seconds < keys[k + 1].time))) return false;
  if (k + 1 == n) {
    const double loopLength = seconds + (scene.LoopLength - keys[k].time);
    if (!(loopLength > seconds) || !std::isfinite(loopLength)) return false;
    scene.LoopLength = loopLength;
  }
  keys[k].time = seconds;
  return true;
}

bool SetLoopLength(Scene& scene, double seconds) {
  if (scene.AnimationKeys.empty() || !std::isfinite(seconds) ||
      !(seconds > scene.AnimationKeys.back().time)) {
    return false;
  }
  scene.LoopLength = seconds;
  return true;
}

}  // namespace puffel
