#include "platform/services.h"

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
