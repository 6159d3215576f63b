// A running program for tests: the two windows with the part window at its
// start size, dialogs answered from a queue, messages and errors recorded.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "platform/bitmap.h"
#include "support/temp_folder.h"

namespace puffel::test {

class ScriptedApp {
 public:
  // Starts the program in a fresh temporary program folder.
  ScriptedApp();
  ~ScriptedApp();

  Application& app() { return *app_; }
  Scene& scene() { return app_->scene; }
  TForm1& form1() { return app_->form1; }
  TForm2& form2() { return app_->form2; }
  const ProgramFolderFixture& folder() const { return folder_; }

  // The next file dialog returns path (std::nullopt: it is cancelled).
  void Answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  // Answers queued that no dialog has taken yet.
  size_t PendingAnswers() const { return answers_.size(); }

  // Writes picture to "obj/<name>" and adds it through the add-picture button.
  void AddPicture(const Bitmap& picture, const std::string& name = "part.bmp");

  // Runs a click or other handler as the window system would dispatch it.
  void Dispatch(const std::function<void()>& handler);

  std::vector<std::string> messages;  // message boxes shown
  std::vector<std::string> errors;    // error reports shown

 private:
  ProgramFolderFixture folder_;
  std::deque<std::optional<std::string>> answers_;
  std::unique_ptr<Application> app_;
};

}  // namespace puffel::test
