#include "win32/fonts.h"

#include <map>
#include <string>

namespace puffel {

namespace {

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool installed(HDC dc, const wchar_t* family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, family, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

std::wstring uiFamily() {
  HDC dc = GetDC(nullptr);
  std::wstring family = L"MS UI Gothic";
  for (const wchar_t* preferred : {L"Yu Gothic UI", L"Meiryo UI"}) {
    if (installed(dc, preferred)) {
      family = preferred;
      break;
    }
  }
  ReleaseDC(nullptr, dc);
  return family;
}

}  // namespace

HFONT JapaneseFont(int pixelHeight) {
  static const std::wstring family = uiFamily();
  static std::map<int, HFONT> made;
  HFONT& font = made[pixelHeight];
  if (font == nullptr) {
    font = CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, family.c_str());
  }
  return font;
}

}  // namespace puffel
