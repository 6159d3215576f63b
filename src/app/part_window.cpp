#include "app/part_window.h"

#include "app/main_window.h"
#include "app/onion_skin.h"
#include "render/flat_view.h"
#include "render/render_scene.h"

namespace puffel {

TForm2::TForm2(Scene& scene, TForm1& form1) : scene(scene), Form1(form1) {
  SetCaption("Parts No.0");
  SetBorder(BorderStyle::Sizeable, {});
  OnPaint = [this] { FormPaint(); };
  OnResize = [this] { FormResize(); };
  OnDblClick = [this] { FormDblClick(); };
  OnClose = [this] { FormClose(); };
  OnMouseDown = [this](MouseButton button, ShiftState shift, int x, int y) {
    FormMouseDown(button, shift, x, y);
  };
  OnMouseMove = [this](ShiftState shift, int x, int y) { FormMouseMove(shift, x, y); };
  OnMouseUp = [this](MouseButton button, ShiftState shift, int x, int y) {
    FormMouseUp(button, shift, x, y);
  };
  OnMouseWheelDown = [this](ShiftState shift, int x, int y) { FormMouseWheelDown(shift, x, y); };
  OnMouseWheelUp = [this](ShiftState shift, int x, int y) { FormMouseWheelUp(shift, x, y); };
  for (MenuEntry* entry : Animation.Entries()) AddMenuEntry(*entry);
}

void TForm2::FormPaint() {
  if (scene.View3D) {
    ShowScene3D();
  } else {
    showFlatView();
  }
}

void TForm2::ShowScene3D() {
  RenderScene3D(scene, Surface());
  DrawOnionSkin(scene, Surface());
  ShowSurface();
}

void TForm2::showFlatView() {
  if (FlatViewIsEmpty(scene)) SetCaption("Parts No.0");
  DrawFlatView(scene);
  Present(scene.ViewBitmap, 0, 0);
}

void TForm2::FormResize() {
  ResizeView(scene, ClientWidth(), ClientHeight());
  if (redrawOnResize_) FormPaint();
}

void TForm2::ResizeWithoutRedraw(int width, int height) {
  redrawOnResize_ = false;
  try {
    SetClientSize(width, height);
  } catch (...) {
    redrawOnResize_ = true;
    throw;
  }
  redrawOnResize_ = true;
}

void TForm2::FormDblClick() {
  if (!scene.View3D) return;
  scene.OutlineMode = !scene.OutlineMode;
  FormPaint();
}

void TForm2::FormClose() { Form1.Close(); }

}  // namespace puffel
