// The animation menu of the part window: its entries, defined here alone so
// that the menu travels whole, and their handlers.
#pragma once

#include <array>
#include <vector>

#include "platform/menu.h"
#include "scene/scene.h"

namespace puffel {

class Playback;
class TForm2;

struct AnimationMenu {
  MenuEntry AddKey{"アニメーション", "AddKey", "キーフレーム追加"};
  MenuEntry InsertKey{"アニメーション", "InsertKey", "キーフレーム挿入"};
  MenuEntry UpdateKey{"アニメーション", "UpdateKey", "キー更新"};
  MenuEntry DeleteKey{"アニメーション", "DeleteKey", "キーフレーム削除"};
  MenuEntry ClearKeys{"アニメーション", "ClearKeys", "キーフレーム全消去"};
  // One entry per easing of the selected key, in the order of Easing.
  std::array<MenuEntry, 3> KeyEasing{
      MenuEntry{"アニメーション", "KeyEasingLinear", "リニア", {}, "イージング"},
      MenuEntry{"アニメーション", "KeyEasingSmooth", "なめらか", {}, "イージング"},
      MenuEntry{"アニメーション", "KeyEasingHold", "保持", {}, "イージング"}};
  // One entry per key interval, in the order of KeyIntervals.
  std::array<MenuEntry, 4> KeyInterval{
      MenuEntry{"アニメーション", "KeyInterval1", "0.25秒", {}, "キー間隔"},
      MenuEntry{"アニメーション", "KeyInterval2", "0.5秒", {}, "キー間隔"},
      MenuEntry{"アニメーション", "KeyInterval3", "1秒", {}, "キー間隔"},
      MenuEntry{"アニメーション", "KeyInterval4", "2秒", {}, "キー間隔"}};
  MenuEntry Play{"アニメーション", "Play", "再生"};
  MenuEntry Stop{"アニメーション", "Stop", "停止"};
  MenuEntry OnionSkin{"アニメーション", "OnionSkin", "オニオンスキン"};
  // Opens the timeline window (its handler is the application's).
  MenuEntry Timeline{"アニメーション", "Timeline", "タイムライン"};
  // The soft joints: the switch and one entry per reach, 1 to JointReachChoices.
  MenuEntry SoftJoints{"アニメーション", "SoftJoints", "関節をなめらかに"};
  std::array<MenuEntry, JointReachChoices> JointReach{
      MenuEntry{"アニメーション", "JointReach1", "狭い"},
      MenuEntry{"アニメーション", "JointReach2", "普通"},
      MenuEntry{"アニメーション", "JointReach3", "広い"}};

  // The sources of the events that set the selected key, its time and the
  // loop's length by value (the timeline and scripts): each is one step of the history.
  struct ValueSource {
  } SelectKeySource, KeyTimeSource, LoopLengthSource;

  AnimationMenu();
  // Every entry, in the order the menu shows them.
  std::vector<MenuEntry*> Entries();
  // The entries and sources that edit the keys or the soft joints: each is
  // one step of the history.
  std::vector<const void*> Edits() const;
};

// Gives the animation menu's entries their handlers:
// - "キーフレーム追加" adds the pose the 3D view shows as a key at the loop's end,
//   "キーフレーム挿入" after the selected key, "キー更新" gives the selected key
//   that pose (with no part "まだ画像を読み込んでいません！", and a pose no
//   joint can show "このポーズはキーフレームにできません！");
// - "キーフレーム削除" deletes the selected key, or the last with none
//   selected, "キーフレーム全消去" every key;
// - the "イージング" entries set the selected key's easing, the "キー間隔"
//   entries the time between keys added from now on;
// - "再生" and "停止" play and stop; "オニオンスキン" shows or hides the
//   selected key's neighbours behind the figure (the view's alone: no step
//   of the history);
// - "関節をなめらかに" switches the soft joints on and off, and "狭い", "普通"
//   and "広い" choose their reach; the 3D view is redrawn.
void InstallAnimation(AnimationMenu& menu, TForm2& form2, Playback& playback);

// Shows the scene in the menu: the checked interval, easing, onion skin,
// soft joints and their reach, and "再生", "停止" and the selected key's
// entries enabled only when they can act.
void ShowAnimationMenu(AnimationMenu& menu, const Scene& scene, const Playback& playback);

}  // namespace puffel
