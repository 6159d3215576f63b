#include "app/about_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

// "バージョン情報" names the version the build gives the program, and the
// window toolkit only where the binding links one.
TEST(AboutBox, ShowsTheBuildsVersionAndTheToolkitWhereOneIsLinked) {
  test::ScriptedApp program;
  program.Dispatch([&] { program.form1().About.Click(); });
  ASSERT_EQ(program.messages.size(), 1u);
  const std::string& text = program.messages[0];
  EXPECT_EQ(text.rfind("Puffel バージョン " PUFFEL_BUILD_VERSION "\n", 0), 0u) << text;
  EXPECT_EQ(text, AboutText(""));
  EXPECT_NE(AboutText("Qt 6").find("・Qt 6\n"), std::string::npos);
}

// The file menu's project entries act as the "L" and "S" buttons, through
// the event pipeline: a project loaded from the menu starts a new history.
TEST(FileMenu, SavesAndOpensAProjectAsTheButtonsDo) {
  test::ScriptedApp program;
  program.AddPicture(test::DiscPicture(60, 40, 30, 20, 18, 0xFF0000, 0xFFFFFF));
  TForm1& form1 = program.form1();
  ASSERT_TRUE(form1.Undo.Enabled());
  const std::string project = program.folder().Path() + "save/square.dat";
  program.Answer(project);
  program.Dispatch([&] { form1.Save.Click(); });
  program.Answer(project);
  program.Dispatch([&] { form1.Open.Click(); });
  EXPECT_EQ(program.scene().LoadedProjects, 1u);
  EXPECT_FALSE(form1.Undo.Enabled());
}

}  // namespace
}  // namespace puffel
