#include "win32/control_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/glyph_pictures.h"
#include "platform/services.h"
#include "win32/fonts.h"
#include "win32/wide_text.h"

namespace puffel {

namespace {

int scaled(int length, int dpi) { return MulDiv(length, dpi, USER_DEFAULT_SCREEN_DPI); }

void showCaption(HWND window, const Control& control) {
  SetWindowTextW(window, Wide(control.Caption()).c_str());
}

// Horizontal, integer positions, one tick mark at each end below the groove.
void showRange(HWND window, const Control& control) {
  SendMessageW(window, TBM_SETRANGEMIN, FALSE, control.Min());
  SendMessageW(window, TBM_SETRANGEMAX, FALSE, control.Max());
  SendMessageW(window, TBM_SETTICFREQ, std::max(1, control.Max() - control.Min()), 0);
  SendMessageW(window, TBM_SETPOS, TRUE, control.Position());
}

void showProgress(HWND window, const Control& control) {
  SendMessageW(window, PBM_SETRANGE32, control.Min(), control.Max());
  SendMessageW(window, PBM_SETPOS, control.Position(), 0);
  // Builds run on this thread without returning to the message loop; the
  // bar must show its progress now.
  UpdateWindow(window);
}

struct WindowClass {
  const wchar_t* name;
  DWORD style;
};

WindowClass classOf(const Control& control) {
  switch (control.kind) {
    case ControlKind::Button:
      return {WC_BUTTONW, BS_PUSHBUTTON};
    case ControlKind::GlyphButton:
      return {WC_BUTTONW, BS_OWNERDRAW};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX};
    case ControlKind::RadioButton:
      // Not automatic: the program alone checks it.
      return {WC_BUTTONW, BS_RADIOBUTTON};
    case ControlKind::TrackBar:
      return {TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS};
    case ControlKind::StaticText:
    case ControlKind::Label:
      return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX};
    case ControlKind::ProgressBar:
      return {PROGRESS_CLASSW, 0};
  }
  return {WC_STATICW, 0};
}

void bind(Control& control, HWND window) {
  switch (control.kind) {
    case ControlKind::Button:
    case ControlKind::StaticText:
    case ControlKind::Label:
      control.Changed = [window, &control] { showCaption(window, control); };
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      SendMessageW(window, BM_SETCHECK, control.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      control.Changed = [window, &control] {
        showCaption(window, control);
        SendMessageW(window, BM_SETCHECK, control.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      };
      break;
    case ControlKind::TrackBar:
      showRange(window, control);
      control.Changed = [window, &control] { showRange(window, control); };
      break;
    case ControlKind::ProgressBar:
      showProgress(window, control);
      control.Changed = [window, &control] { showProgress(window, control); };
      break;
    case ControlKind::GlyphButton:
      break;
  }
}

}  // namespace

HWND CreateControlWindow(Control& control, HWND parent, int id, int dpi) {
  const WindowClass kind = classOf(control);
  DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
  if (control.tabOrder >= 0) style |= WS_TABSTOP;
  HWND window = CreateWindowExW(0, kind.name, Wide(control.Caption()).c_str(), style, 0, 0, 0, 0,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
  PlaceControlWindow(window, dpi);
  bind(control, window);
  EnableWindow(window, control.Enabled());
  control.Changed = [window, &control, shown = std::move(control.Changed)] {
    if (shown) shown();
    EnableWindow(window, control.Enabled());
  };
  return window;
}

void DestroyControlWindow(HWND window) {
  if (Control* control = ControlOfWindow(window)) control->Changed = nullptr;
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

void PlaceControlWindow(HWND window, int dpi) {
  const Control* control = ControlOfWindow(window);
  if (control == nullptr) return;
  const Bounds& b = control->bounds;
  SetWindowPos(window, nullptr, scaled(b.left, dpi), scaled(b.top, dpi), scaled(b.width, dpi),
               scaled(b.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(window, WM_SETFONT,
               reinterpret_cast<WPARAM>(JapaneseFont(scaled(control->fontHeight, dpi))), TRUE);
}

Control* ControlOfWindow(HWND window) {
  return reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void ReportControlWindow(HWND window) {
  Control* control = ControlOfWindow(window);
  if (control == nullptr) return;
  switch (control->kind) {
    case ControlKind::Button:
    case ControlKind::GlyphButton:
    case ControlKind::RadioButton:
      DispatchEvent([control] { control->Click(); });
      break;
    case ControlKind::CheckBox: {
      const bool checked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
      DispatchEvent([control, checked] { control->SetChecked(checked); });
      break;
    }
    case ControlKind::TrackBar: {
      const int position = static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
      DispatchEvent([control, position] { control->SetPosition(position); });
      break;
    }
    case ControlKind::StaticText:
    case ControlKind::Label:
    case ControlKind::ProgressBar:
      break;
  }
}

void DrawGlyphButton(const DRAWITEMSTRUCT& item, int dpi) {
  const Control* control = ControlOfWindow(item.hwndItem);
  if (control == nullptr) return;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  RECT frame = item.rcItem;
  DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  const Bitmap picture = GlyphPicture(control->glyph);
  if (picture.Empty()) return;
  // The transparent pixels take the button face's colour.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t faceRow = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  const uint32_t transparent = GlyphTransparentColour(picture);
  std::vector<uint32_t> pixels(static_cast<size_t>(picture.Width()) * picture.Height());
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const uint32_t pixel = picture.Row(y)[x] & 0xFFFFFF;
      pixels[static_cast<size_t>(y) * picture.Width() + x] = pixel == transparent ? faceRow : pixel;
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.Width();
  info.bmiHeader.biHeight = -picture.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int width = scaled(picture.Width(), dpi);
  const int height = scaled(picture.Height(), dpi);
  const int shift = pushed ? 1 : 0;
  const int left = (item.rcItem.left + item.rcItem.right - width) / 2 + shift;
  const int top = (item.rcItem.top + item.rcItem.bottom - height) / 2 + shift;
  StretchDIBits(item.hDC, left, top, width, height, 0, 0, picture.Width(), picture.Height(),
                pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace puffel
