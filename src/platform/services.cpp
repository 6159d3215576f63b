#include "platform/services.h"

#include <charconv>
#include <iostream>
#include <new>

#include "platform/platform_error.h"

namespace puffel {

Services& PlatformServices() {
  static Services services{
      .runFileDialog = [](FileDialog&) { return false; },
      .showMessage = [](const std::string& text) { std::cerr << text << '\n'; },
      .reportError = [](const std::string& text) { std::cerr << text << '\n'; },
      .openDocument = [](const std::string&) { return false; },
  };
  return services;
}

bool FileDialog::Execute() {
  const auto& run = PlatformServices().runFileDialog;
  return run && run(*this);
}

void ShowMessage(const std::string& text) { PlatformServices().showMessage(text); }

void ShowInformation(const std::string& title, const std::string& text) {
  const auto& show = PlatformServices().showInformation;
  if (show) {
    show(title, text);
  } else {
    ShowMessage(text);
  }
}

bool OpenDocument(const std::string& path) {
  const auto& open = PlatformServices().openDocument;
  return open && open(path);
}

std::optional<int> AskNumber(const std::string& title, const std::string& prompt, int value,
                             int min, int max, const std::string& badAnswer) {
  const TextQuestion question{title, prompt, std::to_string(value)};
  const auto& ask = PlatformServices().askText;
  const std::optional<std::string> answer = ask ? ask(question) : question.text;
  if (!answer) return std::nullopt;
  // Blanks around the number are easily typed, and harmless.
  std::string text = *answer;
  text.erase(0, text.find_first_not_of(" \t"));
  text.erase(text.find_last_not_of(" \t") + 1);
  int number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc() || stop != end || number < min || number > max) {
    ShowMessage(badAnswer);
    return std::nullopt;
  }
  return number;
}

uint32_t ButtonFaceColour() { return PlatformServices().buttonFaceColour; }

void DispatchEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const PlatformError& error) {
    PlatformServices().reportError(error.what());
  } catch (const std::bad_alloc&) {
    PlatformServices().reportError("メモリが不足しています。");
  }
}

}  // namespace puffel
