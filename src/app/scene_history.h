// Undo and redo: the history of the scene, one step per gesture that changed
// it. A step keeps the small state before and after the gesture (the two are
// shared with the neighbouring steps when nothing changed in between), so
// that undo and redo put back exactly what the gesture found or left, even
// when the window was resized in between. The history is the application's,
// beside the scene: the windows' handlers know nothing of it.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "app/kept_builds.h"
#include "app/scene_snapshot.h"

namespace puffel {

class TForm1;

class SceneHistory {
 public:
  static constexpr size_t MaxSteps = 1000;
  // What the kept pictures and meshes may take before the oldest steps go
  // (many marker drags on large parts would otherwise fill the memory).
  size_t MaxKeptBytes = size_t{512} << 20;

  // The history of form1's scene (its part window is set later), empty.
  explicit SceneHistory(TForm1& form1);

  // Starts a new, empty history at the scene as it is (a project was loaded).
  void Reset();

  // A gesture: Begin keeps the state before it; End records a step when the
  // state after differs from it, dropping the steps that could have been
  // redone and, beyond MaxSteps or MaxKeptBytes, the oldest (the last step
  // stays). Begin and End pairs nest; only
  // the outermost pair counts.
  void BeginGesture();
  void EndGesture();

  // Adding a picture into slot k (the next free one) by build: what the
  // build overwrites is kept for the steps before it, and given back when the
  // build does not count the part.
  void RecordBuild(int k, const std::function<void()>& build);

  // Within a gesture: part k's mesh may change from here on (a joint marker is
  // held in the flat view).
  void NoteMeshChange(int k);

  // The background picture may have been loaded anew: the steps from here on
  // share one copy of it.
  void NoteBackgroundPicture();

  bool CanUndo() const { return done_ > 0 && depth_ == 0; }
  bool CanRedo() const { return done_ < steps_.size() && depth_ == 0; }
  // Puts the scene back as it was before the last step done (after the next
  // step undone) and redraws the part window (and the main window when the
  // light or material changes). Nothing when there is nothing, or while a
  // gesture is open.
  void Undo();
  void Redo();

  // Steps recorded, steps done (for the tests).
  size_t StepCount() const { return steps_.size(); }
  size_t DoneCount() const { return done_; }
  const KeptBuilds& Builds() const { return builds_; }

  // Runs when what can be undone or redone may have changed.
  std::function<void()> OnChange;

 private:
  struct Step {
    std::shared_ptr<const SceneSnapshot> before;
    std::shared_ptr<const SceneSnapshot> after;
  };

  SceneSnapshot capture() const;
  void record(SceneSnapshot before, SceneSnapshot after);
  void forgetUnnamedBuilds();
  void restore(const SceneSnapshot& target);
  void changed();

  TForm1& form1_;
  std::deque<Step> steps_;
  size_t done_ = 0;  // steps_[0..done_) are done
  int depth_ = 0;
  std::optional<SceneSnapshot> before_;
  KeptBuilds builds_;
  std::shared_ptr<const Bitmap> background_;  // a copy of the scene's background picture
  // A copy of the scene's animation keys, made anew only when they change.
  mutable std::shared_ptr<const std::vector<KeyPose>> keys_;
};

}  // namespace puffel
