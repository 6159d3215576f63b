#include "win32/text_box.h"

#include <windows.h>

#include <vector>

#include "win32/wide_text.h"

namespace puffel {

namespace {

constexpr WORD PromptId = 100;
constexpr WORD TextId = 101;
// The predefined window classes of dialog items, by atom.
constexpr WORD ButtonClass = 0x0080;
constexpr WORD EditClass = 0x0081;
constexpr WORD StaticClass = 0x0082;

// A dialog template in memory: words, with the double-word alignment its
// items need.
class DialogTemplate {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void DoubleWord(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& text) {
    for (const wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD windowClass,
            const std::wstring& text) {
    if (words_.size() % 2) Word(0);
    DoubleWord(style | WS_CHILD | WS_VISIBLE);
    DoubleWord(0);
    for (const short n : {x, y, cx, cy}) Word(static_cast<WORD>(n));
    Word(id);
    Word(0xFFFF);
    Word(windowClass);
    Text(text);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

struct Exchange {
  const TextQuestion* question;
  std::wstring answer;
};

INT_PTR CALLBACK textBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* exchange = reinterpret_cast<Exchange*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    SetDlgItemTextW(dialog, TextId, Wide(exchange->question->text).c_str());
    SendDlgItemMessageW(dialog, TextId, EM_SETSEL, 0, -1);
    return TRUE;  // the focus goes to the text box, the first item that takes it
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    if (LOWORD(wParam) == IDOK) {
      auto* exchange = reinterpret_cast<Exchange*>(GetWindowLongPtrW(dialog, DWLP_USER));
      HWND text = GetDlgItem(dialog, TextId);
      std::vector<wchar_t> typed(static_cast<size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
      GetWindowTextW(text, typed.data(), static_cast<int>(typed.size()));
      exchange->answer = typed.data();
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

std::optional<std::string> AskTextBox(const TextQuestion& question) {
  DialogTemplate box;
  box.DoubleWord(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  box.DoubleWord(0);
  box.Word(4);  // items
  for (const short n : {0, 0, 186, 64}) box.Word(static_cast<WORD>(n));
  box.Word(0);  // no menu
  box.Word(0);  // the dialog class
  box.Text(Wide(question.title));
  box.Word(9);
  box.Text(L"MS Shell Dlg");
  box.Item(SS_LEFT, 7, 7, 172, 10, PromptId, StaticClass, Wide(question.prompt));
  box.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 20, 172, 14, TextId, EditClass, L"");
  box.Item(WS_TABSTOP | BS_DEFPUSHBUTTON, 75, 42, 50, 14, IDOK, ButtonClass, L"OK");
  box.Item(WS_TABSTOP | BS_PUSHBUTTON, 129, 42, 50, 14, IDCANCEL, ButtonClass, L"キャンセル");
  Exchange exchange{&question, L""};
  const INT_PTR result =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.Get(), GetActiveWindow(), textBoxProc,
                              reinterpret_cast<LPARAM>(&exchange));
  if (result != IDOK) return std::nullopt;
  return Utf8(exchange.answer);
}

}  // namespace puffel
