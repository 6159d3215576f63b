#include "app/animation_menu.h"

#include "anim/key_edits.h"
#include "app/key_commands.h"
#include "app/part_window.h"
#include "app/playback.h"

namespace puffel {

AnimationMenu::AnimationMenu() {
  // The menu's groups: the timeline, the keys, the selected key's easing,
  // new keys' spacing, playing, the view, the soft joints.
  AddKey.separatorBefore = true;
  KeyEasing[0].separatorBefore = true;
  Play.separatorBefore = true;
  OnionSkin.separatorBefore = true;
  OnionSkin.checkable = true;
  // The soft joints, apart from the keys.
  SoftJoints.separatorBefore = true;
  SoftJoints.checkable = true;
  for (MenuEntry& entry : JointReach) entry.checkable = true;
}

std::vector<MenuEntry*> AnimationMenu::Entries() {
  std::vector<MenuEntry*> entries{&Timeline,  &AddKey,    &InsertKey,
                                  &UpdateKey, &DeleteKey, &ClearKeys};
  for (MenuEntry& entry : KeyEasing) entries.push_back(&entry);
  for (MenuEntry& entry : KeyInterval) entries.push_back(&entry);
  entries.insert(entries.end(), {&Play, &Stop, &OnionSkin, &SoftJoints});
  for (MenuEntry& entry : JointReach) entries.push_back(&entry);
  return entries;
}

std::vector<const void*> AnimationMenu::Edits() const {
  std::vector<const void*> edits{&AddKey,    &InsertKey,       &UpdateKey,     &DeleteKey,
                                 &ClearKeys, &SelectKeySource, &KeyTimeSource, &LoopLengthSource};
  for (const MenuEntry& entry : KeyEasing) edits.push_back(&entry);
  for (const MenuEntry& entry : KeyInterval) edits.push_back(&entry);
  edits.push_back(&SoftJoints);
  for (const MenuEntry& entry : JointReach) edits.push_back(&entry);
  return edits;
}

void InstallAnimation(AnimationMenu& menu, TForm2& form2, Playback& playback) {
  Scene& scene = form2.scene;
  menu.AddKey.OnClick = [&scene] { AddKeyAtEnd(scene); };
  menu.InsertKey.OnClick = [&scene] { InsertKeyAfterSelected(scene); };
  menu.UpdateKey.OnClick = [&scene] { UpdateSelectedKey(scene); };
  menu.DeleteKey.OnClick = [&scene] { DeleteSelectedKey(scene); };
  menu.ClearKeys.OnClick = [&scene] { ClearKeys(scene); };
  for (size_t n = 0; n < menu.KeyEasing.size(); ++n) {
    menu.KeyEasing[n].OnClick = [&scene, n] { SetSelectedEasing(scene, static_cast<Easing>(n)); };
  }
  for (size_t n = 0; n < menu.KeyInterval.size(); ++n) {
    menu.KeyInterval[n].OnClick = [&scene, n] { scene.KeyInterval = KeyIntervals[n]; };
  }
  menu.Play.OnClick = [&playback] { playback.Play(); };
  menu.Stop.OnClick = [&playback] { playback.Stop(); };
  menu.OnionSkin.OnClick = [&scene, &form2] {
    scene.OnionSkin = !scene.OnionSkin;
    form2.FormPaint();
  };
  menu.SoftJoints.OnClick = [&scene, &form2] {
    scene.SoftJoints = !scene.SoftJoints;
    form2.FormPaint();
  };
  for (size_t n = 0; n < menu.JointReach.size(); ++n) {
    menu.JointReach[n].OnClick = [&scene, &form2, n] {
      scene.JointReach = static_cast<int>(n) + 1;
      form2.FormPaint();
    };
  }
  ShowAnimationMenu(menu, scene, playback);
}

void ShowAnimationMenu(AnimationMenu& menu, const Scene& scene, const Playback& playback) {
  for (size_t n = 0; n < menu.KeyInterval.size(); ++n) {
    menu.KeyInterval[n].SetChecked(scene.KeyInterval == KeyIntervals[n]);
  }
  const bool selected = scene.SelectedKey >= 0;
  for (size_t n = 0; n < menu.KeyEasing.size(); ++n) {
    menu.KeyEasing[n].SetEnabled(selected);
    menu.KeyEasing[n].SetChecked(selected && scene.AnimationKeys[scene.SelectedKey].easing ==
                                                 static_cast<Easing>(n));
  }
  menu.UpdateKey.SetEnabled(selected);
  const bool keys = !scene.AnimationKeys.empty();
  menu.DeleteKey.SetEnabled(keys);
  menu.ClearKeys.SetEnabled(keys);
  menu.Play.SetEnabled(keys && !playback.Running());
  menu.Stop.SetEnabled(playback.Playing());
  menu.OnionSkin.SetChecked(scene.OnionSkin);
  menu.SoftJoints.SetChecked(scene.SoftJoints);
  for (size_t n = 0; n < menu.JointReach.size(); ++n) {
    menu.JointReach[n].SetChecked(scene.JointReach == static_cast<int>(n) + 1);
  }
}

}  // namespace puffel
