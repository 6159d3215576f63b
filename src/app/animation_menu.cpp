#include "app/animation_menu.h"

#include <array>
#include <optional>
#include <utility>

#include "anim/key_poses.h"
#include "app/main_window.h"
#include "app/part_window.h"
#include "app/playback.h"
#include "platform/services.h"

namespace puffel {

namespace {

std::array<MenuEntry*, 4> intervalEntries(TForm1& form1) {
  return {&form1.KeyInterval1, &form1.KeyInterval2, &form1.KeyInterval3, &form1.KeyInterval4};
}

}  // namespace

void ShowKeyInterval(TForm1& form1) {
  const std::array<MenuEntry*, 4> entries = intervalEntries(form1);
  for (size_t n = 0; n < entries.size(); ++n) {
    entries[n]->SetChecked(form1.scene.KeyInterval == KeyIntervals[n]);
  }
}

namespace {

void addKey(Scene& scene) {
  if (scene.PartCount <= 0) {
    ShowMessage("まだ画像を読み込んでいません！");
    return;
  }
  std::optional<KeyPose> key = KeyOfScene(scene);
  if (!key) {
    ShowMessage("このポーズはキーフレームにできません！");
    return;
  }
  scene.AnimationKeys.push_back(std::move(*key));
}

}  // namespace

void InstallAnimation(TForm1& form1, Playback& playback) {
  Scene& scene = form1.scene;
  form1.AddKey.OnClick = [&scene] { addKey(scene); };
  form1.DeleteKey.OnClick = [&scene] {
    if (!scene.AnimationKeys.empty()) scene.AnimationKeys.pop_back();
  };
  form1.ClearKeys.OnClick = [&scene] { scene.AnimationKeys.clear(); };
  const std::array<MenuEntry*, 4> entries = intervalEntries(form1);
  for (size_t n = 0; n < entries.size(); ++n) {
    entries[n]->OnClick = [&scene, n] { scene.KeyInterval = KeyIntervals[n]; };
  }
  form1.Play.OnClick = [&playback] { playback.Play(); };
  form1.Stop.OnClick = [&playback] { playback.Stop(); };
  ShowKeyInterval(form1);
}

}  // namespace puffel
