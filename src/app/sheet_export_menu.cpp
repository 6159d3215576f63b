#include "app/sheet_export_menu.h"

#include <array>
#include <string>

#include "app/main_window.h"
#include "app/part_window.h"
#include "export/export_refusal.h"
#include "export/sheet_files.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace puffel {

namespace {

constexpr const char* SheetFilter = "スプライトシート (*.png)|*.png";

// The SheetDirections entries in the order of SheetDirectionChoices.
template <class MainWindow>
auto directionEntries(MainWindow& form1) {
  return std::array{&form1.SheetDirections1, &form1.SheetDirections4, &form1.SheetDirections8};
}

void exportSheetFromDialog(TForm1& form1) {
  if (form1.scene.PartCount < 1) {
    ShowMessage("まだ画像を読み込んでいません！");
    return;
  }
  FileDialog dialog(DialogKind::Save, SheetFilter);
  dialog.initialDir = ProgramFolder() + "pic_hozon";
  if (!dialog.Execute()) return;
  const std::string path = SheetFilePath(dialog.fileName);
  const SheetSettings settings = SheetSettingsOf(form1);
  SpriteSheet sheet;
  try {
    sheet = RenderSpriteSheet(form1.scene, settings.directions);
  } catch (const ExportRefusal& refusal) {
    form1.Form2->FormPaint();
    ShowMessage(refusal.what());
    return;
  } catch (...) {
    form1.Form2->FormPaint();
    throw;
  }
  form1.Form2->FormPaint();
  WriteSpriteSheet(sheet, path, settings.frameFiles);
}

}  // namespace

SheetSettings SheetSettingsOf(const TForm1& form1) {
  SheetSettings settings;
  const auto entries = directionEntries(form1);
  for (size_t n = 0; n < entries.size(); ++n) {
    if (entries[n]->Checked()) settings.directions = SheetDirectionChoices[n];
  }
  settings.frameFiles = form1.SheetFrameFiles.Checked();
  return settings;
}

void InstallSheetExport(TForm1& form1) {
  form1.ExportSheet.OnClick = [&form1] { exportSheetFromDialog(form1); };
  const auto entries = directionEntries(form1);
  for (MenuEntry* entry : entries) {
    entry->OnClick = [entries, entry] {
      for (MenuEntry* other : entries) other->SetChecked(other == entry);
    };
  }
  form1.SheetDirections1.SetChecked(true);
  form1.SheetFrameFiles.OnClick = [&form1] {
    form1.SheetFrameFiles.SetChecked(!form1.SheetFrameFiles.Checked());
  };
}

}  // namespace puffel
