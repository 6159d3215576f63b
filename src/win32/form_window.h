// A top-level window showing a Form: its caption, border and client size,
// its menu entries as a menu bar, its controls as child windows, its surface,
// and the window system's paint, size, mouse, wheel, timer, close and
// file-drop messages fed into its handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/form.h"
#include "win32/menu_bar.h"

namespace puffel {

// How form pixels map to screen pixels.
enum class Scaling {
  ByDpi,  // the layout grows with the monitor's DPI / 96 (the main window)
  None,   // one form pixel per screen pixel, so that a view is as sharp as the screen
};

class FormWindow {
 public:
  // Creates the window, hidden, for form (which must outlive it) and binds
  // its hooks; it takes the form's caption, border and client size now.
  FormWindow(Form& form, Scaling scaling);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return window_; }
  HACCEL Accelerators() const { return menuBar_.accelerators; }
  // The frame in screen pixels.
  RECT Frame() const;
  // Moves the frame's top-left corner to (left, top) and shows the window.
  void ShowAt(int left, int top);

  // Runs when the window has been destroyed.
  std::function<void()> OnDestroyed;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);

  void applyProperties();
  void fitClientSize();
  void paint();
  void showSurface(HDC dc);
  void surfaceChanged();
  void orderTabStops();
  void mouseButton(MouseButton button, bool down, bool doubleClick, WPARAM w, LPARAM l);
  void mouseMove(WPARAM w, LPARAM l);
  void wheel(WPARAM w, LPARAM l);
  void dropFiles(HDROP drop);
  void sized(int width, int height);
  void dpiChanged(int dpi, const RECT& suggested);
  // Client pixels in form pixels and back.
  int toForm(int screenPixels) const;
  int toScreen(int formPixels) const;
  int layoutDpi() const;

  Form& form_;
  Scaling scaling_;
  HWND window_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  MenuBar menuBar_;
  std::vector<HWND> controls_;
  // Inside the paint message the surface is shown when the handler returns.
  bool painting_ = false;
  // Sizing the window from the form's properties: its size messages are
  // not reports of the user's.
  bool applying_ = false;
};

}  // namespace puffel
