// The controls model: the state and events of a window's controls, which a
// binding mirrors onto real widgets. Setters notify the binding through Changed.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace puffel {

// Left, top, width and height in client pixels.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

enum class ControlKind {
  Button,
  GlyphButton,
  CheckBox,
  RadioButton,  // checked by the program alone: a click only runs OnClick
  TrackBar,
  StaticText,
  Label,
  ProgressBar
};

// The picture on a glyph button (23 x 22, drawn by the binding).
enum class Glyph { None, Diskette, Starburst, Cross, LetterS, LetterL };

// One control of any kind. Only the members of its kind mean anything:
// buttons click, check boxes check, sliders and the progress bar have a range
// and a position.
class Control {
 public:
  Control(std::string name, ControlKind kind, Bounds bounds, std::string caption = "");

  const std::string name;
  const ControlKind kind;
  Bounds bounds;
  int fontHeight = 12;
  Glyph glyph = Glyph::None;
  int tabOrder = -1;  // position in the keyboard tab order; -1 when not a tab stop

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetRange(int min, int max);
  // Clamps into the range; runs OnChange when the position changed.
  void SetPosition(int position);

  // A disabled control shows greyed and takes no clicks.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Runs OnClick when there is one and the control is enabled.
  void Click();

  std::function<void()> OnClick;   // buttons and radio buttons
  std::function<void()> OnChange;  // sliders

  // Binding hook: called after any property above changed.
  std::function<void()> Changed;

 private:
  void notify();

  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

// The controls that take the keyboard focus, in their tab order.
std::vector<Control*> TabStops(const std::vector<Control*>& controls);

}  // namespace puffel
