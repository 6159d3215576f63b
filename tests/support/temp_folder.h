// A fresh folder for one test, removed again when the test ends.
#pragma once

#include <string>

namespace puffel::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending with '/'.
  const std::string& Path() const { return path_; }
  // Path() + name.
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// A temporary program folder holding "obj", "save", "haikei" and "pic_hozon".
class ProgramFolderFixture : public TempFolder {
 public:
  ProgramFolderFixture();
};

}  // namespace puffel::test
