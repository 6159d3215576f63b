#include "app/scene_history.h"

#include <utility>

#include "app/main_window.h"
#include "app/part_window.h"

namespace puffel {

SceneHistory::SceneHistory(TForm1& form1)
    : form1_(form1),
      background_(std::make_shared<const Bitmap>(form1.scene.BackgroundBitmap)),
      keys_(std::make_shared<const std::vector<KeyPose>>(form1.scene.AnimationKeys)) {
  builds_.Reset(form1.scene);
}

void SceneHistory::Reset() {
  steps_.clear();
  done_ = 0;
  builds_.Reset(form1_.scene);
  // The background outlives a load: its copy stays.
  changed();
}

SceneSnapshot SceneHistory::capture() const {
  if (!SameKeys(*keys_, form1_.scene.AnimationKeys)) {
    keys_ = std::make_shared<const std::vector<KeyPose>>(form1_.scene.AnimationKeys);
  }
  return CaptureSnapshot(form1_.scene, builds_.SlotBuild(), builds_.SlotMesh(), background_, keys_);
}

void SceneHistory::BeginGesture() {
  if (depth_++ == 0) before_ = capture();
}

void SceneHistory::EndGesture() {
  if (depth_ == 0 || --depth_ > 0) return;
  builds_.SettleMeshes(form1_.scene);
  SceneSnapshot after = capture();
  if (!SameSnapshot(*before_, after)) record(std::move(*before_), std::move(after));
  before_.reset();
  changed();
}

void SceneHistory::record(SceneSnapshot before, SceneSnapshot after) {
  const bool dropsRedo = done_ < steps_.size();
  steps_.resize(done_);
  // Nothing happened since the last step: the two share its state.
  std::shared_ptr<const SceneSnapshot> shared;
  if (!steps_.empty() && SameSnapshot(*steps_.back().after, before)) {
    shared = steps_.back().after;
  } else {
    shared = std::make_shared<const SceneSnapshot>(std::move(before));
  }
  steps_.push_back({std::move(shared), std::make_shared<const SceneSnapshot>(std::move(after))});
  const bool dropsOldest = steps_.size() > MaxSteps;
  if (dropsOldest) steps_.pop_front();
  done_ = steps_.size();
  if (dropsRedo || dropsOldest) forgetUnnamedBuilds();
  while (steps_.size() > 1 && builds_.KeptBytes() > MaxKeptBytes) {
    steps_.pop_front();
    done_ = steps_.size();
    forgetUnnamedBuilds();
  }
}

void SceneHistory::forgetUnnamedBuilds() {
  builds_.Forget([this](uint32_t number) {
    for (const Step& step : steps_) {
      for (const SceneSnapshot* state : {step.before.get(), step.after.get()}) {
        for (const auto* numbers : {&state->SlotBuild, &state->SlotMesh}) {
          for (uint32_t named : *numbers) {
            if (named == number) return true;
          }
        }
      }
    }
    return false;
  });
}

void SceneHistory::RecordBuild(int k, const std::function<void()>& build) {
  Scene& scene = form1_.scene;
  // The build refuses a 33rd part before it touches a slot.
  const bool slot = k >= 0 && k < MaxParts;
  BeginGesture();
  if (slot) builds_.KeepBeforeBuild(scene, k);
  const auto finish = [&] {
    if (slot) builds_.FinishBuild(scene, k, scene.PartCount == k + 1);
    EndGesture();
  };
  try {
    build();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void SceneHistory::NoteMeshChange(int k) {
  if (depth_ > 0 && k >= 0 && k < form1_.scene.PartCount) {
    builds_.KeepBeforeMeshChange(form1_.scene, k);
  }
}

void SceneHistory::NoteBackgroundPicture() {
  const Bitmap& picture = form1_.scene.BackgroundBitmap;
  if (picture == *background_) return;
  background_ = std::make_shared<const Bitmap>(picture);
}

void SceneHistory::Undo() {
  if (!CanUndo()) return;
  --done_;
  restore(*steps_[done_].before);
  changed();
}

void SceneHistory::Redo() {
  if (!CanRedo()) return;
  restore(*steps_[done_].after);
  ++done_;
  changed();
}

void SceneHistory::restore(const SceneSnapshot& target) {
  Scene& scene = form1_.scene;
  TForm2& form2 = *form1_.Form2;
  const SceneSnapshot current = capture();

  // The window first, while the scene is whole: its own size handling moves
  // the parts, whose places are then overwritten with the target's. The
  // part window is redrawn once, at the end.
  const bool fixed = !target.BackgroundName.empty();
  if (fixed != (form2.GetBorderStyle() == BorderStyle::Single)) {
    if (fixed) {
      form2.SetBorder(BorderStyle::Single,
                      {.systemMenu = true, .minimize = true, .maximize = false});
    } else {
      form2.SetBorder(BorderStyle::Sizeable,
                      {.systemMenu = true, .minimize = true, .maximize = true});
    }
  }
  if (target.ViewWidth != scene.ViewWidth || target.ViewHeight != scene.ViewHeight) {
    form2.ResizeWithoutRedraw(target.ViewWidth, target.ViewHeight);
  }

  builds_.Bring(scene, target.SlotBuild, target.SlotMesh, target.PartCount);
  if (target.BackgroundPicture != background_) {
    scene.BackgroundBitmap = *target.BackgroundPicture;
    background_ = target.BackgroundPicture;
  }
  if (target.BackgroundName != scene.BackgroundName) {
    scene.BackgroundName = target.BackgroundName;
    form1_.Label1.SetCaption("背景：" + (fixed ? scene.BackgroundName : std::string("なし")));
  }
  if (target.AnimationKeys != keys_) {
    scene.AnimationKeys = *target.AnimationKeys;
    keys_ = target.AnimationKeys;
  }
  RestoreSmallState(scene, target);

  if (!SameLightAndMaterial(current, target)) form1_.FormPaint();
  form2.FormPaint();
}

void SceneHistory::changed() {
  if (OnChange) OnChange();
}

}  // namespace puffel
