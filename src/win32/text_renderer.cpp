#include "win32/text_renderer.h"

#include <windows.h>

#include <cstring>

#include "win32/fonts.h"
#include "win32/wide_text.h"

namespace puffel {

void DrawTextOnBitmap(Bitmap& target, int x, int y, const std::string& utf8, uint32_t colour,
                      int pixelHeight) {
  if (target.Empty()) return;
  // GDI draws into a top-down 32-bit section, whose rows hold the same
  // 0x00RRGGBB words as the picture's.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = target.Width();
  info.bmiHeader.biHeight = -target.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr) return;
  const size_t bytes = static_cast<size_t>(target.Width()) * target.Height() * 4;
  std::memcpy(bits, target.Pixels(), bytes);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBitmap = SelectObject(dc, section);
  HGDIOBJ oldFont = SelectObject(dc, JapaneseFont(pixelHeight));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour & 0xFFFFFF);
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  const std::wstring text = Wide(utf8);
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  GdiFlush();
  std::memcpy(target.Pixels(), bits, bytes);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  DeleteObject(section);
}

}  // namespace puffel
