#include "win32/form_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cmath>
#include <string>

#include "platform/services.h"
#include "win32/control_windows.h"
#include "win32/wide_text.h"

namespace puffel {

namespace {

constexpr const wchar_t* WindowClassName = L"PuffelForm";
// The program's icon in its resources.
constexpr int IconResource = 1;
// The id of the form's timer.
constexpr UINT_PTR FormTimer = 1;

void registerWindowClass(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  // Double clicks arrive as messages of their own, before the press they complete.
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IconResource));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = WindowClassName;
  RegisterClassExW(&windowClass);
  registered = true;
}

DWORD styleOf(const Form& form) {
  const BorderIcons& icons = form.GetBorderIcons();
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (form.GetBorderStyle() == BorderStyle::Sizeable) style |= WS_THICKFRAME;
  if (icons.systemMenu) {
    style |= WS_SYSMENU;
    if (icons.minimize) style |= WS_MINIMIZEBOX;
    if (icons.maximize) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

ShiftState heldButtons(WPARAM keys) {
  return {.left = (keys & MK_LBUTTON) != 0,
          .right = (keys & MK_RBUTTON) != 0,
          .middle = (keys & MK_MBUTTON) != 0};
}

}  // namespace

FormWindow::FormWindow(Form& form, Scaling scaling) : form_(form), scaling_(scaling) {
  registerWindowClass(procedure);
  menuBar_ = CreateMenuBar(form_);
  window_ = CreateWindowExW(0, WindowClassName, Wide(form_.Caption()).c_str(), styleOf(form_),
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                            menuBar_.menu, GetModuleHandleW(nullptr), this);
  dpi_ = static_cast<int>(GetDpiForWindow(window_));
  int id = 1000;
  for (Control* control : form_.Controls()) {
    controls_.push_back(CreateControlWindow(*control, window_, id++, layoutDpi()));
  }
  orderTabStops();
  // Files dropped anywhere on the window, controls included, reach the form.
  if (form_.OnDropFiles) DragAcceptFiles(window_, TRUE);

  form_.PropertiesChanged = [this] { applyProperties(); };
  form_.SurfaceChanged = [this] { surfaceChanged(); };
  form_.CloseRequested = [this] {
    if (window_ != nullptr) DestroyWindow(window_);
  };
  form_.VisibilityChanged = [this] {
    if (window_ != nullptr) ShowWindow(window_, form_.Visible() ? SW_SHOW : SW_HIDE);
  };
  form_.TimerChanged = [this] {
    if (form_.TimerInterval() > 0) {
      SetTimer(window_, FormTimer, static_cast<UINT>(form_.TimerInterval()), nullptr);
    } else {
      KillTimer(window_, FormTimer);
    }
  };
  form_.MapScreenToClient = [this](int x, int y) {
    POINT point{x, y};
    ScreenToClient(window_, &point);
    return std::pair{toForm(point.x), toForm(point.y)};
  };
  applyProperties();
  form_.TimerChanged();
}

FormWindow::~FormWindow() {
  form_.PropertiesChanged = nullptr;
  form_.SurfaceChanged = nullptr;
  form_.CloseRequested = nullptr;
  form_.VisibilityChanged = nullptr;
  form_.TimerChanged = nullptr;
  form_.MapScreenToClient = nullptr;
  for (HWND control : controls_) DestroyControlWindow(control);
  ReleaseMenuBar(menuBar_);
  if (window_ != nullptr) DestroyWindow(window_);
}

void FormWindow::orderTabStops() {
  // The tab key follows the order of the child windows.
  HWND previous = HWND_TOP;
  for (const Control* stop : TabStops(form_.Controls())) {
    for (HWND control : controls_) {
      if (ControlOfWindow(control) != stop) continue;
      SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = control;
    }
  }
}

int FormWindow::layoutDpi() const {
  return scaling_ == Scaling::ByDpi ? dpi_ : USER_DEFAULT_SCREEN_DPI;
}

int FormWindow::toForm(int screenPixels) const {
  if (layoutDpi() == USER_DEFAULT_SCREEN_DPI) return screenPixels;
  return static_cast<int>(std::floor(screenPixels * double{USER_DEFAULT_SCREEN_DPI} / layoutDpi()));
}

int FormWindow::toScreen(int formPixels) const {
  return MulDiv(formPixels, layoutDpi(), USER_DEFAULT_SCREEN_DPI);
}

RECT FormWindow::Frame() const {
  RECT frame{};
  GetWindowRect(window_, &frame);
  return frame;
}

void FormWindow::ShowAt(int left, int top) {
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  const std::vector<Control*> stops = TabStops(form_.Controls());
  for (HWND control : controls_) {
    if (!stops.empty() && ControlOfWindow(control) == stops.front()) SetFocus(control);
  }
}

void FormWindow::applyProperties() {
  // A new frame changes the client size for a moment; the form's own size
  // stays what it is, and the window is fitted around it below.
  applying_ = true;
  SetWindowTextW(window_, Wide(form_.Caption()).c_str());
  const DWORD style = styleOf(form_);
  const auto shown = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  if ((shown & ~WS_VISIBLE) != style) {
    SetWindowLongPtrW(window_, GWL_STYLE, style | (shown & WS_VISIBLE));
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  if (form_.ClientWidth() > 0 && form_.ClientHeight() > 0) fitClientSize();
  applying_ = false;
}

void FormWindow::fitClientSize() {
  const int width = toScreen(form_.ClientWidth());
  const int height = toScreen(form_.ClientHeight());
  RECT frame{0, 0, width, height};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                           menuBar_.menu != nullptr, 0, static_cast<UINT>(dpi_));
  const bool applying = applying_;
  applying_ = true;
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, flags);
  // A menu bar wrapped onto a second line takes from the client area.
  RECT client{};
  GetClientRect(window_, &client);
  if (client.right != width || client.bottom != height) {
    const RECT now = Frame();
    SetWindowPos(window_, nullptr, 0, 0, now.right - now.left + width - client.right,
                 now.bottom - now.top + height - client.bottom, flags);
  }
  applying_ = applying;
}

void FormWindow::showSurface(HDC dc) {
  const Bitmap& surface = form_.Surface();
  if (surface.Empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = surface.Width();
  info.bmiHeader.biHeight = -surface.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  if (layoutDpi() == USER_DEFAULT_SCREEN_DPI) {
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(surface.Width()),
                      static_cast<DWORD>(surface.Height()), 0, 0, 0,
                      static_cast<UINT>(surface.Height()), surface.Pixels(), &info, DIB_RGB_COLORS);
  } else {
    StretchDIBits(dc, 0, 0, toScreen(surface.Width()), toScreen(surface.Height()), 0, 0,
                  surface.Width(), surface.Height(), surface.Pixels(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
  }
}

void FormWindow::paint() {
  PAINTSTRUCT paintInfo;
  HDC dc = BeginPaint(window_, &paintInfo);
  painting_ = true;
  form_.ReportPaint();
  painting_ = false;
  showSurface(dc);
  EndPaint(window_, &paintInfo);
}

void FormWindow::surfaceChanged() {
  // Drags and builds redraw without returning to the message loop: the
  // picture is shown at once.
  if (painting_ || window_ == nullptr) return;
  HDC dc = GetDC(window_);
  showSurface(dc);
  ReleaseDC(window_, dc);
}

void FormWindow::mouseButton(MouseButton button, bool down, bool doubleClick, WPARAM w, LPARAM l) {
  const int x = toForm(GET_X_LPARAM(l));
  const int y = toForm(GET_Y_LPARAM(l));
  const ShiftState held = heldButtons(w);
  if (down) {
    // Moves keep coming while a button is held outside the window.
    SetCapture(window_);
    form_.ReportPress(button, held, x, y, doubleClick);
  } else {
    if (!held.left && !held.right && !held.middle && GetCapture() == window_) ReleaseCapture();
    form_.ReportRelease(button, held, x, y);
  }
}

void FormWindow::mouseMove(WPARAM w, LPARAM l) {
  form_.ReportMove(heldButtons(w), toForm(GET_X_LPARAM(l)), toForm(GET_Y_LPARAM(l)));
}

void FormWindow::wheel(WPARAM w, LPARAM l) {
  form_.ReportWheel(GET_WHEEL_DELTA_WPARAM(w), heldButtons(GET_KEYSTATE_WPARAM(w)), GET_X_LPARAM(l),
                    GET_Y_LPARAM(l));
}

void FormWindow::dropFiles(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(Utf8(path));
  }
  DragFinish(drop);
  form_.ReportDrop(paths);
}

void FormWindow::sized(int width, int height) {
  if (applying_) return;
  form_.Dispatch([&] { form_.ReportClientSize(toForm(width), toForm(height)); });
}

void FormWindow::dpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  for (HWND control : controls_) PlaceControlWindow(control, layoutDpi());
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (form_.ClientWidth() > 0 && form_.ClientHeight() > 0) fitClientSize();
  InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK FormWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
    auto* self = static_cast<FormWindow*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, w, l);
  return self->handle(message, w, l);
}

LRESULT FormWindow::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      // The surface covers the client area: erasing first would flicker.
      if (!form_.Surface().Empty()) return 1;
      break;
    case WM_SIZE:
      if (w != SIZE_MINIMIZED) sized(LOWORD(l), HIWORD(l));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      mouseButton(MouseButton::Left, true, message == WM_LBUTTONDBLCLK, w, l);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      mouseButton(MouseButton::Right, true, false, w, l);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      mouseButton(MouseButton::Middle, true, false, w, l);
      return 0;
    case WM_LBUTTONUP:
      mouseButton(MouseButton::Left, false, false, w, l);
      return 0;
    case WM_RBUTTONUP:
      mouseButton(MouseButton::Right, false, false, w, l);
      return 0;
    case WM_MBUTTONUP:
      mouseButton(MouseButton::Middle, false, false, w, l);
      return 0;
    case WM_MOUSEMOVE:
      mouseMove(w, l);
      return 0;
    case WM_MOUSEWHEEL:
      wheel(w, l);
      return 0;
    case WM_COMMAND:
      if (l != 0) {
        if (HIWORD(w) == BN_CLICKED && !form_.Closed()) {
          ReportControlWindow(reinterpret_cast<HWND>(l));
        }
      } else if (!form_.Closed()) {
        RunMenuCommand(menuBar_, LOWORD(w));
      }
      return 0;
    case WM_HSCROLL:
      if (l != 0 && !form_.Closed()) ReportControlWindow(reinterpret_cast<HWND>(l));
      return 0;
    case WM_DRAWITEM:
      DrawGlyphButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(l), layoutDpi());
      return TRUE;
    case WM_TIMER:
      if (w == FormTimer) form_.ReportTimer();
      return 0;
    case WM_DROPFILES:
      dropFiles(reinterpret_cast<HDROP>(w));
      return 0;
    case WM_DPICHANGED:
      dpiChanged(HIWORD(w), *reinterpret_cast<const RECT*>(l));
      return 0;
    case WM_CLOSE:
      // Form::Close runs the form's handler and asks for the window to go.
      form_.ReportCloseRequest();
      return 0;
    case WM_DESTROY:
      if (OnDestroyed) OnDestroyed();
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(window, message, w, l);
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

}  // namespace puffel
