#include "app/key_commands.h"

#include <optional>
#include <utility>

#include "anim/key_edits.h"
#include "anim/key_poses.h"
#include "anim/playback_rate.h"
#include "app/part_window.h"
#include "platform/services.h"

namespace puffel {

namespace {

constexpr const char* NoSelectionMessage = "キーフレームが選ばれていません！";

// The pose the 3D view shows as a key, or a message why there is none.
std::optional<KeyPose> shownKey(const Scene& scene) {
  if (scene.PartCount <= 0) {
    ShowMessage("まだ画像を読み込んでいません！");
    return std::nullopt;
  }
  std::optional<KeyPose> key = KeyOfScene(scene);
  if (!key) ShowMessage("このポーズはキーフレームにできません！");
  return key;
}

bool hasSelection(const Scene& scene) {
  if (scene.SelectedKey >= 0) return true;
  ShowMessage(NoSelectionMessage);
  return false;
}

}  // namespace

void AddKeyAtEnd(Scene& scene) {
  if (std::optional<KeyPose> key = shownKey(scene)) AppendKey(scene, std::move(*key));
}

void InsertKeyAfterSelected(Scene& scene) {
  if (std::optional<KeyPose> key = shownKey(scene)) {
    InsertKey(scene, scene.SelectedKey, std::move(*key));
  }
}

void UpdateSelectedKey(Scene& scene) {
  if (!hasSelection(scene)) return;
  if (std::optional<KeyPose> key = shownKey(scene)) {
    scene.AnimationKeys[scene.SelectedKey].joints = std::move(key->joints);
  }
}

void DeleteSelectedKey(Scene& scene) {
  if (scene.AnimationKeys.empty()) return;
  DeleteKey(scene, scene.SelectedKey >= 0 ? scene.SelectedKey
                                          : static_cast<int>(scene.AnimationKeys.size()) - 1);
}

void SetSelectedEasing(Scene& scene, Easing easing) {
  if (hasSelection(scene)) scene.AnimationKeys[scene.SelectedKey].easing = easing;
}

void RetimeSelectedKey(Scene& scene, double seconds) {
  if (hasSelection(scene) && !RetimeKey(scene, scene.SelectedKey, seconds)) {
    ShowMessage("その時刻にはキーフレームを置けません！");
  }
}

void ChangeLoopLength(Scene& scene, double seconds) {
  if (scene.AnimationKeys.empty()) {
    ShowMessage(NoKeysMessage);
  } else if (!SetLoopLength(scene, seconds)) {
    ShowMessage("ループの終わりは最後のキーフレームより後にしてください！");
  }
}

void SelectKey(Scene& scene, TForm2& form2, int k) {
  if (k < -1 || k >= static_cast<int>(scene.AnimationKeys.size())) {
    ShowMessage("そのキーフレームはありません！");
    return;
  }
  scene.SelectedKey = k;
  if (k < 0) return;
  scene.View3D = true;
  PoseScene(scene, scene.AnimationKeys[k]);
  form2.FormPaint();
}

void KeepSelectionInRange(Scene& scene) {
  if (scene.SelectedKey >= static_cast<int>(scene.AnimationKeys.size())) scene.SelectedKey = -1;
}

}  // namespace puffel
