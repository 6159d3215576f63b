#include "support/scripted_app.h"

#include <stdexcept>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace puffel::test {

ScriptedApp::ScriptedApp() {
  SetProgramFolder(folder_.Path());
  Services& services = PlatformServices();
  services.runFileDialog = [this](FileDialog& dialog) {
    if (answers_.empty()) throw std::logic_error("a file dialog opened with no answer queued");
    const std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    if (!answer) return false;
    dialog.fileName = *answer;
    return true;
  };
  services.showMessage = [this](const std::string& text) { messages.push_back(text); };
  services.reportError = [this](const std::string& text) { errors.push_back(text); };
  services.askText = {};
  services.buttonFaceColour = 0xF0F0F0;
  app_ = std::make_unique<Application>();
  Dispatch([this] { app_->form2.ReportClientSize(InitialViewWidth, InitialViewHeight); });
}

ScriptedApp::~ScriptedApp() {
  // The services refer to this object; leave harmless ones behind.
  Services& services = PlatformServices();
  services.runFileDialog = [](FileDialog&) { return false; };
  services.showMessage = [](const std::string&) {};
  services.reportError = [](const std::string&) {};
  services.askText = {};
}

void ScriptedApp::AddPicture(const Bitmap& picture, const std::string& name) {
  const std::string path = folder_.Path() + "obj/" + name;
  SaveBitmapFile(path, picture);
  Answer(path);
  Dispatch([this] { app_->form1.Button1.Click(); });
}

void ScriptedApp::Dispatch(const std::function<void()>& handler) { DispatchEvent(handler); }

}  // namespace puffel::test
