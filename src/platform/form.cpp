#include "platform/form.h"

#include "platform/canvas.h"
#include "platform/services.h"

namespace puffel {

void Form::notifyProperties() {
  if (PropertiesChanged) PropertiesChanged();
}

void Form::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  notifyProperties();
}

void Form::applyClientSize(int width, int height) {
  surface_.SetSize(width, height);  // first: it may run out of memory
  clientWidth_ = width;
  clientHeight_ = height;
}

void Form::SetClientSize(int width, int height) {
  if (width == clientWidth_ && height == clientHeight_) return;
  applyClientSize(width, height);
  notifyProperties();
  if (OnResize) OnResize();
}

void Form::ReportClientSize(int width, int height) {
  if (width == clientWidth_ && height == clientHeight_) return;
  applyClientSize(width, height);
  if (OnResize) OnResize();
}

void Form::SetBorder(BorderStyle style, BorderIcons icons) {
  borderStyle_ = style;
  borderIcons_ = icons;
  notifyProperties();
}

void Form::Present(const Bitmap& picture, int x, int y) {
  const CopyMode mode = surface_.canvas.copyMode;
  surface_.canvas.copyMode = CopyMode::Copy;
  Draw(surface_, x, y, picture);
  surface_.canvas.copyMode = mode;
  ShowSurface();
}

void Form::ShowSurface() {
  if (SurfaceChanged) SurfaceChanged();
}

void Form::ClearSurface(uint32_t colour) {
  surface_.Fill(SwapRedBlue(colour));
  if (SurfaceChanged) SurfaceChanged();
}

void Form::SetTimer(int milliseconds) {
  if (milliseconds == timerInterval_) return;
  timerInterval_ = milliseconds;
  if (TimerChanged) TimerChanged();
}

void Form::Close() {
  if (closed_) return;
  closed_ = true;
  if (OnClose) OnClose();
  if (CloseRequested) CloseRequested();
}

void Form::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (VisibilityChanged) VisibilityChanged();
}

void Form::Dispatch(const std::function<void()>& handler) {
  if (!closed_) DispatchEvent(handler);
}

void Form::ReportPaint() {
  if (OnPaint) Dispatch(OnPaint);
}

void Form::ReportPress(MouseButton button, ShiftState held, int x, int y, bool doubleClick) {
  if (doubleClick && button == MouseButton::Left && OnDblClick) Dispatch(OnDblClick);
  if (OnMouseDown) Dispatch([&] { OnMouseDown(button, held, x, y); });
}

void Form::ReportRelease(MouseButton button, ShiftState held, int x, int y) {
  if (OnMouseUp) Dispatch([&] { OnMouseUp(button, held, x, y); });
}

void Form::ReportMove(ShiftState held, int x, int y) {
  if (OnMouseMove) Dispatch([&] { OnMouseMove(held, x, y); });
}

void Form::ReportWheel(int delta, ShiftState held, int screenX, int screenY) {
  for (int notches = wheel_.Add(delta); notches != 0;) {
    const auto& handler = notches > 0 ? OnMouseWheelUp : OnMouseWheelDown;
    notches += notches > 0 ? -1 : 1;
    if (handler) Dispatch([&] { handler(held, screenX, screenY); });
  }
}

void Form::ReportDrop(const std::vector<std::string>& paths) {
  if (!paths.empty() && OnDropFiles) Dispatch([&] { OnDropFiles(paths); });
}

void Form::ReportTimer() {
  if (OnTimer) Dispatch(OnTimer);
}

void Form::ReportCloseRequest() {
  Dispatch([this] {
    if (HidesOnClose) {
      SetVisible(false);
    } else {
      Close();
    }
  });
}

Control* Form::FindControl(const std::string& name) const {
  for (Control* control : controls_) {
    if (control->name == name) return control;
  }
  return nullptr;
}

MenuEntry* Form::FindMenuEntry(const std::string& name) const {
  for (MenuEntry* entry : menuEntries_) {
    if (entry->name == name) return entry;
  }
  return nullptr;
}

std::pair<int, int> Form::ScreenToClient(int x, int y) const {
  if (MapScreenToClient) return MapScreenToClient(x, y);
  return {x, y};
}

}  // namespace puffel
