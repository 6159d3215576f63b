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

std::array<MenuEntry*, JointReachChoices> reachEntries(TForm1& form1) {
  return {&form1.JointReach1, &form1.JointReach2, &form1.JointReach3};
}

}  // namespace

void ShowKeyInterval(TForm1& form1) {
  const std::array<MenuEntry*, 4> entries = intervalEntries(form1);
  for (size_t n = 0; n < entries.size(); ++n) {
    entries[n]->SetChecked(form1.scene.KeyInterval == KeyIntervals[n]);
  }
}

void ShowSoftJoints(TForm1& form1) {
  form1.SoftJoints.SetChecked(form1.scene.SoftJoints);
  const std::array<MenuEntry*, JointReachChoices> entries = reachEntries(form1);
  for (size_t n = 0; n < entries.size(); ++n) {
    entries[n]->SetChecked(form1.scene.JointReach == static_cast<int>(n) + 1);
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
  const auto redraw = [&form1] { form1.Form2->FormPaint(); };
  form1.SoftJoints.OnClick = [&scene, redraw] {
    scene.SoftJoints = !scene.SoftJoints;
    redraw();
  };
  const std::array<MenuEntry*, JointReachChoices> reaches = reachEntries(form1);
  for (size_t n = 0; n < reaches.size(); ++n) {
    reaches[n]->OnClick = [&scene, redraw, n] {
      scene.JointReach = static_cast<int>(n) + 1;
      redraw();
    };
  }
  ShowKeyInterval(form1);
  ShowSoftJoints(form1);
}

}  // namespace puffel
