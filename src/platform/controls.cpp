#include "platform/controls.h"

#include <algorithm>

namespace puffel {

Control::Control(std::string name, ControlKind kind, Bounds bounds, std::string caption)
    : name(std::move(name)), kind(kind), bounds(bounds), caption_(std::move(caption)) {}

void Control::notify() {
  if (Changed) Changed();
}

void Control::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  notify();
}

void Control::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  notify();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  notify();
}

void Control::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  position_ = std::clamp(position_, min_, max_);
  notify();
}

void Control::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  notify();
  if (OnChange) OnChange();
}

void Control::Click() {
  if (enabled_ && OnClick) OnClick();
}

std::vector<Control*> TabStops(const std::vector<Control*>& controls) {
  std::vector<Control*> stops;
  for (Control* control : controls) {
    if (control->tabOrder >= 0) stops.push_back(control);
  }
  std::stable_sort(stops.begin(), stops.end(),
                   [](const Control* a, const Control* b) { return a->tabOrder < b->tabOrder; });
  return stops;
}

}  // namespace puffel
