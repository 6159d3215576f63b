#include "win32/dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "platform/file_filter.h"
#include "win32/wide_text.h"

namespace puffel {

namespace {

// The caption of the program's message boxes.
constexpr const wchar_t* BoxCaption = L"Puffel";

// Room for a long path in the file dialogs.
constexpr size_t PathRoom = 32768;

}  // namespace

std::wstring CommonDialogFilter(const std::string& filter) {
  std::wstring joined;
  for (const FilterEntry& entry : FilterEntries(filter)) {
    joined += Wide(entry.description) + L'\0' + Wide(entry.patterns) + L'\0';
  }
  return joined + L'\0';
}

bool RunFileDialog(FileDialog& dialog) {
  const std::wstring filter = CommonDialogFilter(dialog.filter);
  const std::wstring folder = Wide(dialog.initialDir);
  const int entries = static_cast<int>(FilterEntries(dialog.filter).size());
  std::vector<wchar_t> path(PathRoom, L'\0');
  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = GetActiveWindow();
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = dialog.filterIndex >= 1 && dialog.filterIndex <= entries
                             ? static_cast<DWORD>(dialog.filterIndex)
                             : 1;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  bool chosen = false;
  if (dialog.kind == DialogKind::Open) {
    request.Flags |= OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameW(&request) != 0;
  } else {
    if (dialog.confirmOverwrite) request.Flags |= OFN_OVERWRITEPROMPT;
    chosen = GetSaveFileNameW(&request) != 0;
  }
  if (!chosen) return false;
  dialog.fileName = Utf8(path.data());
  dialog.filterIndex = static_cast<int>(request.nFilterIndex);
  return true;
}

void ShowMessageBox(const std::string& text) {
  MessageBoxW(GetActiveWindow(), Wide(text).c_str(), BoxCaption, MB_OK);
}

void ShowErrorBox(const std::string& text) {
  MessageBoxW(GetActiveWindow(), Wide(text).c_str(), BoxCaption, MB_OK | MB_ICONERROR);
}

void ShowInformationBox(const std::string& title, const std::string& text) {
  MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(title).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

bool OpenWithDesktop(const std::string& path) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", Wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace puffel
