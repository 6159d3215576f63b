// The event pipeline: every event of either window, written once, in order.
#include <utility>

#include "anim/key_poses.h"
#include "app/application.h"
#include "app/dropped_files.h"
#include "app/key_commands.h"
#include "app/model_export_menu.h"
#include "app/sheet_export_menu.h"

namespace puffel {

namespace {

using Kind = WindowEvent::Kind;

bool nothingHeld(const ShiftState& held) { return !held.left && !held.right && !held.middle; }

// What a person does that playback gives way to: everything but the
// pointer's moves and releases, and the part window's presses (see Pass).
bool stopsPlayback(const WindowEvent& event, const Form& form2) {
  return event.kind != Kind::Move && event.kind != Kind::Release &&
         !(event.kind == Kind::Press && event.form == &form2);
}

// Adding and removing parts keeps the keys at one joint per part.
bool changesParts(const WindowEvent& event, const TForm1& form1) {
  return event.kind == Kind::Click &&
         (event.source == &form1.Button1 || event.source == &form1.SpeedButton2 ||
          event.source == &form1.SpeedButton3);
}

// Undo, redo and loading replace the keys with the layout they go with;
// every other event keeps them relative to the layout it leaves.
bool keepsKeysOnLayout(const WindowEvent& event, const TForm1& form1) {
  return event.source != &form1.Undo && event.source != &form1.Redo;
}

}  // namespace

Application::Application() {
  form1.SetPartWindow(form2);
  InstallAnimation(form2.Animation, form2, playback);
  form2.Animation.Timeline.OnClick = [this] {
    form3.SetVisible(true);
    form3.ShowTimeline();
  };
  playback.OnShow = [this] { form3.ShowTimeline(); };
  InstallModelExport(form1);
  InstallSheetExport(form1);
  // Each dropped picture is added, and a dropped project opened, as the
  // buttons do: through the pipeline as their clicks, one step each.
  const DropTargets drops{
      .addPicture =
          [this](const std::string& path) {
            Pass(clickOf(form1.Button1), [&] { form1.AddDroppedPicture(path); });
          },
      .openProject =
          [this](const std::string& path) {
            Pass(clickOf(form1.SpeedButton5), [&] { form1.OpenDroppedProject(path); });
          }};
  for (Form* form : {static_cast<Form*>(&form1), static_cast<Form*>(&form2)}) {
    form->OnDropFiles = [this, drops](const std::vector<std::string>& paths) {
      DropFiles(scene, paths, drops);
    };
  }
  routeEvents();
}

void Application::SelectKey(int k) {
  Pass(
      {.kind = Kind::Click, .form = &form2, .source = &form2.Animation.SelectKeySource, .held = {}},
      [&] { puffel::SelectKey(scene, form2, k); });
}

void Application::ChangeLoopLength(double seconds) {
  Pass({.kind = Kind::Click,
        .form = &form2,
        .source = &form2.Animation.LoopLengthSource,
        .held = {}},
       [&] { puffel::ChangeLoopLength(scene, seconds); });
}

void Application::ShowTime(double seconds) {
  playback.ShowTime(seconds);
  ShowAnimationMenu(form2.Animation, scene, playback);
  form3.ShowTimeline();
}

void Application::RetimeSelectedKey(double seconds) {
  Pass({.kind = Kind::Click, .form = &form2, .source = &form2.Animation.KeyTimeSource, .held = {}},
       [&] { puffel::RetimeSelectedKey(scene, seconds); });
}

WindowEvent Application::clickOf(const Control& control) {
  return {.kind = Kind::Click, .form = &form1, .source = &control, .held = {}};
}

void Application::Pass(const WindowEvent& event, const std::function<void()>& handler) {
  if (event.form == &form2 && event.kind == Kind::Press && playback.Playing()) {
    playback.Stop();
    swallowing_ = true;
  }
  if (swallowing_ && event.form == &form2 &&
      (event.kind == Kind::Press || event.kind == Kind::Move || event.kind == Kind::Release)) {
    if (event.kind == Kind::Release && nothingHeld(event.held)) swallowing_ = false;
    return;
  }
  const bool stops = stopsPlayback(event, form2);
  if (stops) playback.Stop();

  const uint64_t loads = scene.LoadedProjects;
  const std::vector<Point3> rest = RestOffsets(scene);
  const auto afterHandler = [&] {
    if (changesParts(event, form1)) FitKeysToParts(scene);
    if (keepsKeysOnLayout(event, form1) && scene.LoadedProjects == loads) {
      FollowRestLayout(scene, rest);
    }
    KeepSelectionInRange(scene);
  };
  // The timeline opens by itself with the first key.
  const bool hadKeys = !scene.AnimationKeys.empty();
  const auto afterStep = [&] {
    ShowAnimationMenu(form2.Animation, scene, playback);
    if (!hadKeys && !scene.AnimationKeys.empty()) form3.SetVisible(true);
    form3.ShowTimeline();
  };
  try {
    recording_.Record(event, [&] {
      try {
        handler();
      } catch (...) {
        afterHandler();
        throw;
      }
      afterHandler();
    });
  } catch (...) {
    afterStep();
    throw;
  }
  afterStep();
}

void Application::routeEvents() {
  const auto route = [this](std::function<void()>& slot, WindowEvent event) {
    if (!slot) return;
    slot = [this, event, handler = std::move(slot)] { Pass(event, handler); };
  };
  for (Control* control : form1.Controls()) route(control->OnClick, clickOf(*control));
  for (Form* form : {static_cast<Form*>(&form1), static_cast<Form*>(&form2)}) {
    for (MenuEntry* entry : form->MenuEntries()) {
      route(entry->OnClick, {.kind = Kind::Click, .form = form, .source = entry, .held = {}});
    }
  }
  route(form2.OnResize, {.kind = Kind::Resize, .form = &form2, .source = nullptr, .held = {}});
  for (Form* form : {static_cast<Form*>(&form1), static_cast<Form*>(&form2)}) {
    route(form->OnDblClick,
          {.kind = Kind::DoubleClick, .form = form, .source = nullptr, .held = {}});
    for (auto* wheel : {&form->OnMouseWheelUp, &form->OnMouseWheelDown}) {
      if (!*wheel) continue;
      *wheel = [this, form, handler = std::move(*wheel)](ShiftState held, int x, int y) {
        Pass({.kind = Kind::Wheel, .form = form, .source = nullptr, .held = held},
             [&] { handler(held, x, y); });
      };
    }
    if (form->OnDropFiles) {
      form->OnDropFiles = [this, form, handler = std::move(form->OnDropFiles)](
                              const std::vector<std::string>& paths) {
        Pass({.kind = Kind::Drop, .form = form, .source = nullptr, .held = {}},
             [&] { handler(paths); });
      };
    }
    for (auto [slot, kind] :
         {std::pair{&form->OnMouseDown, Kind::Press}, std::pair{&form->OnMouseUp, Kind::Release}}) {
      if (!*slot) continue;
      *slot = [this, form, kind = kind, handler = std::move(*slot)](MouseButton button,
                                                                    ShiftState held, int x, int y) {
        Pass({.kind = kind, .form = form, .source = nullptr, .held = held},
             [&] { handler(button, held, x, y); });
      };
    }
    if (form->OnMouseMove) {
      form->OnMouseMove = [this, form, handler = std::move(form->OnMouseMove)](ShiftState held,
                                                                               int x, int y) {
        Pass({.kind = Kind::Move, .form = form, .source = nullptr, .held = held},
             [&] { handler(held, x, y); });
      };
    }
  }
}

}  // namespace puffel
