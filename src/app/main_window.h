// The main window: parameter sliders and check boxes, the command buttons, the
// light and material pickers, and the program's defaults.
#pragma once

#include <optional>
#include <string>

#include "export/print_height.h"
#include "platform/form.h"
#include "platform/services.h"
#include "scene/scene.h"

namespace puffel {

class TForm2;

class TForm1 : public Form {
 public:
  // Creates the window and its controls and runs FormCreate.
  explicit TForm1(Scene& scene);

  // The part window, created after this one.
  void SetPartWindow(TForm2& form2) { Form2 = &form2; }

  void FormCreate();
  void FormClose();
  void FormPaint();

  // The pickers' mouse handlers: the buttons held at a press decide which mark
  // moves (left wins over right; neither is the middle button), and a left
  // double click, reported before the press that completes it, flips the light
  // to the back.
  void FormMouseDown(MouseButton button, ShiftState shift, int x, int y);
  void FormMouseMove(ShiftState shift, int x, int y);
  void FormMouseUp(MouseButton button, ShiftState shift, int x, int y);
  void FormDblClick();
  // While a button is held: moves the mark under (x, y) in the wheel or the
  // material box, derives the light or material from it and redraws.
  void PickerMouse(int x, int y);

  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton5Click();

  void TrackBar1Change();
  void TrackBar2Change();
  void TrackBar3Change();
  void TrackBar4Change();
  void TrackBar5Change();
  void TrackBar6Change();
  void OpenReadmeClick();
  // The program's name, version and the libraries it contains, in an
  // information box.
  void AboutClick();

  // A picture or a project dropped on a window: added or loaded as Button1 or
  // SpeedButton5 does with the file its dialog asks for.
  void AddDroppedPicture(const std::string& path);
  void OpenDroppedProject(const std::string& path);

  Scene& scene;
  TForm2* Form2 = nullptr;

  Control StaticText4{"StaticText4", ControlKind::StaticText, {0, 0, 24, 14}, "光源"};
  Control StaticText5{"StaticText5", ControlKind::StaticText, {85, 0, 24, 14}, "材質"};
  Control Button2{"Button2", ControlKind::Button, {12, 120, 57, 25}, "背景設定"};
  Control Button3{"Button3", ControlKind::Button, {76, 120, 49, 25}, "背景ｸﾘｱ"};
  Control SpeedButton2{"SpeedButton2", ControlKind::GlyphButton, {132, 120, 26, 25}};
  Control SpeedButton3{"SpeedButton3", ControlKind::GlyphButton, {164, 120, 26, 25}};
  Control Label1{"Label1", ControlKind::Label, {24, 152, 50, 12}, "背景：なし"};
  Control TrackBar1{"TrackBar1", ControlKind::TrackBar, {16, 168, 84, 25}};
  Control StaticText1{"StaticText1", ControlKind::StaticText, {100, 172, 79, 16}, "ﾎﾟﾘｺﾞﾝｻｲｽﾞ : 8"};
  Control TrackBar3{"TrackBar3", ControlKind::TrackBar, {16, 193, 84, 25}};
  Control StaticText3{"StaticText3", ControlKind::StaticText, {104, 198, 70, 16}, "耳変換 : なし"};
  Control TrackBar2{"TrackBar2", ControlKind::TrackBar, {16, 218, 84, 25}};
  Control StaticText2{
      "StaticText2", ControlKind::StaticText, {104, 223, 87, 16}, "ふくらみ(前) : 10"};
  Control TrackBar4{"TrackBar4", ControlKind::TrackBar, {16, 243, 84, 25}};
  Control StaticText6{"StaticText6", ControlKind::StaticText, {104, 248, 76, 16}, "前面伸縮 : 1.0"};
  Control TrackBar6{"TrackBar6", ControlKind::TrackBar, {16, 268, 84, 25}};
  Control StaticText8{
      "StaticText8", ControlKind::StaticText, {104, 273, 87, 16}, "ふくらみ(背) : 10"};
  Control TrackBar5{"TrackBar5", ControlKind::TrackBar, {16, 293, 84, 25}};
  Control StaticText7{"StaticText7", ControlKind::StaticText, {104, 298, 76, 16}, "背面伸縮 : 1.0"};
  Control CheckBox1{"CheckBox1", ControlKind::CheckBox, {24, 322, 105, 17}, "カラー鉛直射影"};
  Control CheckBox2{"CheckBox2", ControlKind::CheckBox, {24, 340, 113, 17}, "方形（風）ポリゴン"};
  Control CheckBox3{"CheckBox3", ControlKind::CheckBox, {24, 358, 73, 17}, "両面読込"};
  Control SpeedButton1{"SpeedButton1", ControlKind::GlyphButton, {170, 356, 26, 25}};
  Control Button1{"Button1", ControlKind::Button, {8, 386, 57, 25}, "画像追加"};
  Control Button4{"Button4", ControlKind::Button, {72, 386, 59, 25}, "2D<－>3D"};
  Control SpeedButton5{"SpeedButton5", ControlKind::GlyphButton, {138, 386, 26, 25}};
  Control SpeedButton4{"SpeedButton4", ControlKind::GlyphButton, {170, 386, 26, 25}};
  Control ProgressBar1{"ProgressBar1", ControlKind::ProgressBar, {24, 422, 153, 16}};

  // The menu bar. Open and Save run the "L" and "S" buttons' handlers, Exit
  // closes the program as closing a window does. The Application gives
  // Export3D and ExportGif their handlers (InstallModelExport), ExportSheet and
  // the sheet's settings theirs (InstallSheetExport), Undo and Redo theirs
  // (GestureRecording). The animation menu is the part window's.
  MenuEntry Open{"ファイル", "Open", "開く...", {"Ctrl+O"}};
  MenuEntry Save{"ファイル", "Save", "保存...", {"Ctrl+S"}};
  MenuEntry Export3D{"ファイル", "Export3D", "3Dモデル書き出し..."};
  MenuEntry ExportGif{"ファイル", "ExportGif", "GIFアニメ書き出し..."};
  MenuEntry ExportSheet{"ファイル", "ExportSheet", "スプライトシート書き出し..."};
  // The sprite sheet's settings: one entry per number of directions, in the
  // order of SheetDirectionChoices, and the frames as files of their own.
  MenuEntry SheetDirections1{"ファイル", "SheetDirections1", "1方向", {}, "スプライトシート設定"};
  MenuEntry SheetDirections4{"ファイル", "SheetDirections4", "4方向", {}, "スプライトシート設定"};
  MenuEntry SheetDirections8{"ファイル", "SheetDirections8", "8方向", {}, "スプライトシート設定"};
  MenuEntry SheetFrameFiles{
      "ファイル", "SheetFrameFiles", "コマごとのPNGも書き出す", {}, "スプライトシート設定"};
  MenuEntry Exit{"ファイル", "Exit", "終了"};
  MenuEntry Undo{"編集", "Undo", "元に戻す", {"Ctrl+Z"}};
  MenuEntry Redo{"編集", "Redo", "やり直し", {"Ctrl+Y", "Ctrl+Shift+Z"}};
  MenuEntry OpenReadme{"ヘルプ", "OpenReadme", "readme を開く"};
  MenuEntry About{"ヘルプ", "About", "バージョン情報"};

  FileDialog OpenPictureDialog1{DialogKind::Open, PictureFilter};
  FileDialog OpenPictureDialog2{DialogKind::Open, PictureFilter};
  FileDialog SaveDialog2{DialogKind::Save, BitmapFilter};
  FileDialog OpenDialog1{DialogKind::Open, ProjectFilter};
  FileDialog SaveDialog1{DialogKind::Save, ProjectFilter};

  // The height last given for an STL or 3MF export ("印刷の高さ", whole
  // millimetres): the box that asks for it starts there. Not saved.
  int PrintHeight = DefaultPrintHeight;

  static constexpr const char* BitmapFilter = "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp";
  // The picture dialogs offer every format the program reads first, and the
  // bitmaps alone second.
  static constexpr const char* PictureFilter =
      "画像ファイル (*.bmp;*.png;*.jpg;*.jpeg;*.gif)|*.bmp;*.png;*.jpg;*.jpeg;*.gif|"
      "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp";
  static constexpr const char* ProjectFilter = "ﾃﾞｰﾀﾌｧｲﾙ (*.dat)|*.dat";

 private:
  void setUpControls();
  void addPicture(const std::optional<std::string>& path);
  void redrawPartWindow();
};

}  // namespace puffel
