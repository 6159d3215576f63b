#include "app/main_window.h"

#include <string>
#include <utility>

#include "app/about_text.h"
#include "app/background_picture.h"
#include "app/build_part_button.h"
#include "app/part_window.h"
#include "app/project_buttons.h"
#include "app/view_export.h"
#include "builder/slider_settings.h"
#include "platform/canvas.h"
#include "platform/paths.h"
#include "scene/start_scene.h"

namespace puffel {

TForm1::TForm1(Scene& scene) : scene(scene) {
  setUpControls();
  FormCreate();
}

void TForm1::setUpControls() {
  SetCaption("Puffel!");
  SetBorder(BorderStyle::Single, {.systemMenu = true, .minimize = true, .maximize = false});
  SetClientSize(200, 449);

  StaticText4.fontHeight = 10;
  StaticText5.fontHeight = 10;
  SpeedButton1.glyph = Glyph::Diskette;
  SpeedButton2.glyph = Glyph::Starburst;
  SpeedButton3.glyph = Glyph::Cross;
  SpeedButton4.glyph = Glyph::LetterS;
  SpeedButton5.glyph = Glyph::LetterL;

  const std::pair<Control*, const SliderRange*> sliders[] = {
      {&TrackBar1, &PolygonSizeRange}, {&TrackBar3, &EarRange},   {&TrackBar2, &BulgeRange},
      {&TrackBar4, &StretchRange},     {&TrackBar6, &BulgeRange}, {&TrackBar5, &StretchRange}};
  for (const auto& [slider, range] : sliders) {
    slider->SetRange(range->min, range->max);
    slider->SetPosition(range->start);
  }
  ProgressBar1.SetRange(0, 100);
  // The export dialog asks before replacing a file, as the desktop's save
  // dialog does by default; the project save replaces one without asking.
  SaveDialog2.confirmOverwrite = true;

  Control* const creationOrder[] = {
      &StaticText4, &StaticText5,  &Button2,      &Button3,     &SpeedButton2, &SpeedButton3,
      &Label1,      &TrackBar1,    &StaticText1,  &TrackBar3,   &StaticText3,  &TrackBar2,
      &StaticText2, &TrackBar4,    &StaticText6,  &TrackBar6,   &StaticText8,  &TrackBar5,
      &StaticText7, &CheckBox1,    &CheckBox2,    &CheckBox3,   &SpeedButton1, &Button1,
      &Button4,     &SpeedButton5, &SpeedButton4, &ProgressBar1};
  for (Control* control : creationOrder) AddControl(*control);
  for (MenuEntry* entry :
       {&Open, &Save, &Export3D, &ExportGif, &ExportSheet, &SheetDirections1, &SheetDirections4,
        &SheetDirections8, &SheetFrameFiles, &Exit, &Undo, &Redo, &OpenReadme, &About}) {
    AddMenuEntry(*entry);
  }
  // Whether frames go to files of their own is no part of the directions' choice.
  SheetFrameFiles.checkable = true;
  // The file menu's groups: projects, exports, the end.
  Export3D.separatorBefore = true;
  Exit.separatorBefore = true;

  Control* const tabOrder[] = {&Button1,     &Button4,     &Button2,     &Button3,     &TrackBar1,
                               &TrackBar3,   &TrackBar2,   &TrackBar4,   &TrackBar6,   &TrackBar5,
                               &CheckBox1,   &CheckBox2,   &CheckBox3,   &StaticText4, &StaticText5,
                               &StaticText1, &StaticText3, &StaticText2, &StaticText6, &StaticText8,
                               &StaticText7, &ProgressBar1};
  int position = 0;
  for (Control* control : tabOrder) control->tabOrder = position++;

  // The labels are set up with their start captions; the handlers are wired
  // after the defaults so that none of them runs during creation.
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  Button3.OnClick = [this] { Button3Click(); };
  Button4.OnClick = [this] { Button4Click(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
  SpeedButton3.OnClick = [this] { SpeedButton3Click(); };
  SpeedButton4.OnClick = [this] { SpeedButton4Click(); };
  SpeedButton5.OnClick = [this] { SpeedButton5Click(); };
  TrackBar1.OnChange = [this] { TrackBar1Change(); };
  TrackBar2.OnChange = [this] { TrackBar2Change(); };
  TrackBar3.OnChange = [this] { TrackBar3Change(); };
  TrackBar4.OnChange = [this] { TrackBar4Change(); };
  TrackBar5.OnChange = [this] { TrackBar5Change(); };
  TrackBar6.OnChange = [this] { TrackBar6Change(); };
  Open.OnClick = [this] { SpeedButton5Click(); };
  Save.OnClick = [this] { SpeedButton4Click(); };
  Exit.OnClick = [this] { Close(); };
  OpenReadme.OnClick = [this] { OpenReadmeClick(); };
  About.OnClick = [this] { AboutClick(); };
  OnPaint = [this] { FormPaint(); };
  OnClose = [this] { FormClose(); };
  OnMouseDown = [this](MouseButton button, ShiftState shift, int x, int y) {
    FormMouseDown(button, shift, x, y);
  };
  OnMouseMove = [this](ShiftState shift, int x, int y) { FormMouseMove(shift, x, y); };
  OnMouseUp = [this](MouseButton button, ShiftState shift, int x, int y) {
    FormMouseUp(button, shift, x, y);
  };
  OnDblClick = [this] { FormDblClick(); };
}

void TForm1::FormCreate() { SetStartDefaults(scene); }

void TForm1::FormClose() {
  scene.PictureLoadBuffer.Release();
  scene.ViewBitmap.Release();
  scene.BackgroundBitmap.Release();
  scene.LightPickerBitmap.Release();
  scene.MaterialPickerBitmap.Release();
  for (int k = 0; k < MaxParts; ++k) {
    scene.PartPicture[k].Release();
    scene.PartBackPicture[k].Release();
    scene.PartCutout[k].Release();
    scene.PartMask[k].Release();
  }
}

namespace {

// A cross of two lines, five pixels each way from (cx, cy).
void drawMarkCross(Bitmap& target, int cx, int cy, uint32_t colour) {
  target.canvas.penColour = colour;
  Line(target, cx - 5, cy, cx + 6, cy);
  Line(target, cx, cy - 5, cx, cy + 6);
}

}  // namespace

void TForm1::FormPaint() {
  // The client area outside the pickers shows the button face.
  ClearSurface(ButtonFaceColour());
  Present(scene.LightPickerBitmap, 0, 0);

  // The light marker and the colour cross go onto the window, never into the
  // wheel, whose pixels give the light colour.
  Bitmap& window = Surface();
  window.canvas.penColour = 0;
  window.canvas.brushColour = scene.LightBehind ? 0 : 0xFFFFFF;
  Ellipse(window, scene.LightMarkX + 9, scene.LightMarkY + 9, scene.LightMarkX + 19,
          scene.LightMarkY + 19);
  drawMarkCross(window, scene.ColorMarkX + 14, scene.ColorMarkY + 14, 0);

  Bitmap& material = scene.MaterialPickerBitmap;
  material.canvas.penColour = ButtonFaceColour();
  material.canvas.brushColour = ButtonFaceColour();
  Rectangle(material, 0, 0, 108, 108);
  material.canvas.penColour = 0;
  material.canvas.brushColour = 0xFFFFFF;
  Rectangle(material, 8, 14, 89, 95);
  drawMarkCross(material, scene.DiffuseMarkX + 9, scene.DiffuseMarkY + 14, 0x0000FF);
  drawMarkCross(material, scene.SpecularMarkX + 9, scene.SpecularMarkY + 14, 0xFF0000);
  drawMarkCross(material, scene.FadeMarkX + 9, scene.FadeMarkY + 14, 0x008000);
  Present(material, 100, 0);
}

void TForm1::redrawPartWindow() { Form2->FormPaint(); }

void TForm1::Button1Click() { addPicture(std::nullopt); }

void TForm1::AddDroppedPicture(const std::string& path) { addPicture(path); }

void TForm1::addPicture(const std::optional<std::string>& path) {
  if (scene.View3D) {
    scene.View3D = false;
    ResetPoses(scene);
  }
  // A build that stops before counting the part has not redrawn the part
  // window, which may still show the 3D view just left.
  const int countBefore = scene.PartCount;
  try {
    if (path) {
      BuildPart(*this, scene.PartCount, *path);
    } else {
      BuildPart(*this, scene.PartCount);
    }
  } catch (...) {
    if (scene.PartCount == countBefore) redrawPartWindow();
    throw;
  }
  if (scene.PartCount == countBefore) redrawPartWindow();
}

void TForm1::Button4Click() {
  if (scene.PartCount <= 0) return;
  if (scene.View3D) ResetPoses(scene);
  scene.View3D = !scene.View3D;
  redrawPartWindow();
}

void TForm1::SpeedButton2Click() {
  if (scene.PartCount <= 0) return;
  --scene.PartCount;
  if (scene.PartCount == 0) scene.View3D = false;
  redrawPartWindow();
}

void TForm1::SpeedButton3Click() {
  if (scene.PartCount <= 0) return;
  scene.PartCount = 0;
  scene.View3D = false;
  redrawPartWindow();
}

void TForm1::Button2Click() { SetBackground(*this); }

void TForm1::Button3Click() { ClearBackground(*this); }

void TForm1::SpeedButton1Click() { ExportView(*this); }

void TForm1::SpeedButton4Click() { SaveProject(*this); }

void TForm1::SpeedButton5Click() { LoadProject(*this); }

void TForm1::OpenDroppedProject(const std::string& path) { LoadProject(*this, path); }

void TForm1::OpenReadmeClick() {
  const std::string readme = ProgramFolder() + "readme.txt";
  if (!FileExists(readme)) {
    ShowMessage("readme.txt が見つかりません！");
  } else if (!OpenDocument(readme)) {
    ShowMessage("readme.txt を開けません！");
  }
}

void TForm1::AboutClick() {
  ShowInformation("バージョン情報", AboutText(PlatformServices().toolkitNotice));
}

namespace {

// Position / 10 with exactly one decimal, as the stretch labels show it.
std::string tenths(int position) {
  return std::to_string(position / 10) + "." + std::to_string(position % 10);
}

}  // namespace

void TForm1::TrackBar1Change() {
  StaticText1.SetCaption("ﾎﾟﾘｺﾞﾝｻｲｽﾞ : " + std::to_string(TrackBar1.Position()));
}

void TForm1::TrackBar2Change() {
  StaticText2.SetCaption("ふくらみ(前) : " + std::to_string(TrackBar2.Position()));
}

void TForm1::TrackBar6Change() {
  StaticText8.SetCaption("ふくらみ(背) : " + std::to_string(TrackBar6.Position()));
}

void TForm1::TrackBar3Change() {
  const int position = TrackBar3.Position();
  StaticText3.SetCaption(position > 0 ? "耳変換 : " + std::to_string(position)
                                      : std::string("耳変換 : なし"));
}

void TForm1::TrackBar4Change() {
  StaticText6.SetCaption("前面伸縮 : " + tenths(TrackBar4.Position()));
}

void TForm1::TrackBar5Change() {
  StaticText7.SetCaption("背面伸縮 : " + tenths(TrackBar5.Position()));
}

}  // namespace puffel
