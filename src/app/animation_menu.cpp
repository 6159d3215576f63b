#include "app/animation_menu.h"

#include <functional>
#include <memory>
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

void showKeyInterval(TForm1& form1) {
  const std::array<MenuEntry*, 4> entries = intervalEntries(form1);
  for (size_t n = 0; n < entries.size(); ++n) {
    entries[n]->SetChecked(form1.scene.KeyInterval == KeyIntervals[n]);
  }
}

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

// Runs handler, then fits the keys to the parts it left.
void fittingKeys(std::function<void()>& handler, Scene& scene) {
  handler = [&scene, handler = std::move(handler)] {
    try {
      handler();
    } catch (...) {
      FitKeysToParts(scene);
      throw;
    }
    FitKeysToParts(scene);
  };
}

int heldCount(const ShiftState& shift) { return shift.left + shift.right + shift.middle; }

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
  for (Control* button : {&form1.Button1, &form1.SpeedButton2, &form1.SpeedButton3}) {
    fittingKeys(button->OnClick, scene);
  }
  showKeyInterval(form1);
}

void StopPlaybackAroundEvents(TForm1& form1, TForm2& form2, Playback& playback) {
  const auto around = [&form1, &playback](auto& handler) {
    handler = [&form1, &playback, handler = std::move(handler)](auto... args) {
      playback.Stop();
      try {
        if (handler) handler(args...);
      } catch (...) {
        showKeyInterval(form1);
        throw;
      }
      showKeyInterval(form1);
    };
  };
  for (Control* control : form1.Controls()) {
    if (control->OnClick) around(control->OnClick);
  }
  for (MenuEntry* entry : form1.MenuEntries()) around(entry->OnClick);
  for (Form* form : {static_cast<Form*>(&form1), static_cast<Form*>(&form2)}) {
    around(form->OnDropFiles);
    around(form->OnDblClick);
    around(form->OnMouseWheelUp);
    around(form->OnMouseWheelDown);
  }
  around(form1.OnMouseDown);
  around(form2.OnResize);

  // A press that stops playback, and its drag, do nothing more.
  auto swallowing = std::make_shared<bool>(false);
  form2.OnMouseDown = [&playback, swallowing, handler = std::move(form2.OnMouseDown)](
                          MouseButton button, ShiftState shift, int x, int y) {
    if (playback.Playing()) {
      playback.Stop();
      *swallowing = true;
    }
    if (!*swallowing && handler) handler(button, shift, x, y);
  };
  form2.OnMouseMove = [swallowing, handler = std::move(form2.OnMouseMove)](ShiftState shift, int x,
                                                                           int y) {
    if (!*swallowing && handler) handler(shift, x, y);
  };
  form2.OnMouseUp = [swallowing, handler = std::move(form2.OnMouseUp)](
                        MouseButton button, ShiftState shift, int x, int y) {
    if (!*swallowing) {
      if (handler) handler(button, shift, x, y);
    } else if (heldCount(shift) == 0) {
      *swallowing = false;
    }
  };
}

}  // namespace puffel
