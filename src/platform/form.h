// The window model: caption, client size, border, a paint surface, the
// controls and the window events. A binding shows it as a real window and
// feeds the window system's events into it; the headless runner feeds scripted
// events instead.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/bitmap.h"
#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/mouse_buttons.h"
#include "platform/wheel_notches.h"

namespace puffel {

enum class BorderStyle { Sizeable, Single };

struct BorderIcons {
  bool systemMenu = true;
  bool minimize = true;
  bool maximize = true;
};

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form() = default;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  // Asks for a new client size, as a program sets it: the window follows, and
  // OnResize runs at once when the size changed.
  void SetClientSize(int width, int height);
  // The window system reports the client size (first showing, user resize):
  // OnResize runs when it differs from the size known so far.
  void ReportClientSize(int width, int height);

  BorderStyle GetBorderStyle() const { return borderStyle_; }
  const BorderIcons& GetBorderIcons() const { return borderIcons_; }
  void SetBorder(BorderStyle style, BorderIcons icons);

  // The client area as last painted, kept at the client size.
  const Bitmap& Surface() const { return surface_; }
  // For drawing straight onto the client area; Present or ShowSurface
  // announces the change.
  Bitmap& Surface() { return surface_; }
  // Announces that the client area was drawn straight onto.
  void ShowSurface();
  // Paints picture onto the client area at (x, y) (plain copy).
  void Present(const Bitmap& picture, int x, int y);
  // Paints the whole client area in one canvas colour.
  void ClearSurface(uint32_t colour);

  // Closes the window: runs OnClose, then tells the binding, which ends the program.
  void Close();
  bool Closed() const { return closed_; }

  // Whether the window shows. The binding shows a window when the program
  // starts if it is visible then, and follows every change after.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // A window the user may close and open again: the user's close request
  // hides it, and the program goes on.
  bool HidesOnClose = false;

  // The controls of the window, in creation order.
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* FindControl(const std::string& name) const;

  // The entries of the window's menu bar, in the order the menus and their
  // entries show; a window without entries has no menu bar.
  const std::vector<MenuEntry*>& MenuEntries() const { return menuEntries_; }
  MenuEntry* FindMenuEntry(const std::string& name) const;

  // Window events, set by the window's class.
  std::function<void()> OnPaint;
  std::function<void()> OnResize;
  std::function<void()> OnDblClick;
  std::function<void()> OnClose;
  std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseDown;
  std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseUp;
  std::function<void(ShiftState, int x, int y)> OnMouseMove;
  // One wheel notch; the pointer position is in screen coordinates.
  std::function<void(ShiftState, int screenX, int screenY)> OnMouseWheelDown;
  std::function<void(ShiftState, int screenX, int screenY)> OnMouseWheelUp;
  // Files dropped on the window from the desktop, in the order given.
  std::function<void(const std::vector<std::string>& paths)> OnDropFiles;

  // The window's timer: OnTimer runs every milliseconds while it is set; 0
  // stops it. A tick due while the last one still runs is dropped, not queued.
  void SetTimer(int milliseconds);
  int TimerInterval() const { return timerInterval_; }
  std::function<void()> OnTimer;

  // Input from the window system as a binding reports it. Each runs the
  // window's handler through DispatchEvent, and nothing once the window has
  // closed.
  void Dispatch(const std::function<void()>& handler);
  void ReportPaint();
  // A press; the second press of a left double click runs OnDblClick first.
  void ReportPress(MouseButton button, ShiftState held, int x, int y, bool doubleClick = false);
  void ReportRelease(MouseButton button, ShiftState held, int x, int y);
  void ReportMove(ShiftState held, int x, int y);
  // Wheel rotation in the window system's units (positive away from the user):
  // OnMouseWheelUp or OnMouseWheelDown once per whole notch, the rest kept for
  // the next report.
  void ReportWheel(int delta, ShiftState held, int screenX, int screenY);
  void ReportDrop(const std::vector<std::string>& paths);
  void ReportTimer();
  // The user asked to close the window.
  void ReportCloseRequest();

  // Screen to client coordinates; identity until a binding supplies its own.
  std::pair<int, int> ScreenToClient(int x, int y) const;

  // Binding hooks.
  std::function<void()> PropertiesChanged;  // caption, border or client size
  std::function<void()> SurfaceChanged;     // the client area was painted
  std::function<void()> CloseRequested;     // the window closed
  std::function<void()> TimerChanged;       // the timer was set or stopped
  std::function<void()> VisibilityChanged;  // the window was shown or hidden
  std::function<std::pair<int, int>(int, int)> MapScreenToClient;

 protected:
  void AddControl(Control& control) { controls_.push_back(&control); }
  void AddMenuEntry(MenuEntry& entry) { menuEntries_.push_back(&entry); }

 private:
  void notifyProperties();
  void applyClientSize(int width, int height);

  std::string caption_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  BorderIcons borderIcons_;
  Bitmap surface_;
  std::vector<Control*> controls_;
  std::vector<MenuEntry*> menuEntries_;
  bool closed_ = false;
  bool visible_ = true;
  int timerInterval_ = 0;
  WheelNotches wheel_;
};

}  // namespace puffel
