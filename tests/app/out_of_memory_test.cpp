// Running out of memory: with the address space limited in a child process,
// a build, a load, a redraw or a view resize that cannot get its memory is reported with one
// message and leaves the scene as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/main_window.h"
#include "app/part_window.h"
#include "platform/bmp_file.h"
#include "render/render_scene.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

// The sanitizers reserve far more address space than any limit here allows.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSpaceCanBeLimited = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSpaceCanBeLimited = false;
#else
constexpr bool AddressSpaceCanBeLimited = true;
#endif
#else
constexpr bool AddressSpaceCanBeLimited = true;
#endif

// Limits the process to its present address space plus spare bytes.
void limitAddressSpace(size_t spare) {
  long pages = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) std::exit(3);
  std::fclose(statm);
  const rlim_t limit = static_cast<rlim_t>(pages) * 4096 + spare;
  const rlimit bounds{limit, limit};
  if (setrlimit(RLIMIT_AS, &bounds) != 0) std::exit(3);
}

// Runs check in a child process; it passes when the child exits with 0.
void inChild(const std::function<int()>& check) {
  if (!AddressSpaceCanBeLimited) GTEST_SKIP() << "the address space cannot be limited here";
  // The program may have helper threads by now: the child is started afresh
  // rather than forked from this process, whose locks those threads may hold.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(check()), ::testing::ExitedWithCode(0), "");
}

constexpr const char* OutOfMemory = "メモリが不足しています。";

TEST(OutOfMemory, ABuildThatCannotGetItsMemoryTakesThePartBack) {
  inChild([] {
    test::ScriptedApp program;
    program.AddPicture(test::DiscPicture(100, 100, 50, 50, 45, 0x3080F0, 0xFFFFFF), "a.bmp");
    Scene& scene = program.scene();
    program.form1().TrackBar1.SetPosition(1);
    const Scene before = scene;
    // Room for the picture and its four slot copies, not for the mesh of its grid.
    const Bitmap large = test::DiscPicture(4096, 4096, 2048, 2048, 2000, 0x3080F0, 0xFFFFFF);
    SaveBitmapFile(program.folder() / "obj/large.bmp", large);
    program.Answer(program.folder() / "obj/large.bmp");
    limitAddressSpace(size_t{400} << 20);
    program.Dispatch([&] { program.form1().Button1.Click(); });
    if (program.errors != std::vector<std::string>{OutOfMemory}) return 1;
    if (scene.PartCount != 1 || scene.MaxGridColumns != before.MaxGridColumns) return 2;
    if (scene.PartPicture[1].Width() != 4096) return 3;  // it ran out after the intake
    if (!(scene.ViewBitmap == before.ViewBitmap) || scene.ParentMatrix != before.ParentMatrix) {
      return 4;
    }
    return 0;
  });
}

TEST(OutOfMemory, AResizeThatCannotGetItsMemoryKeepsTheView) {
  inChild([] {
    test::ScriptedApp program;
    program.AddPicture(test::DiscPicture(100, 100, 50, 50, 45, 0x3080F0, 0xFFFFFF), "a.bmp");
    program.form1().Button4.Click();
    Scene& scene = program.scene();
    const Scene before = scene;
    // The window's own surface fits; the view and its two buffers do not.
    limitAddressSpace(size_t{400} << 20);
    program.Dispatch([&] { program.form2().ReportClientSize(8000, 8000); });
    if (program.errors != std::vector<std::string>{OutOfMemory}) return 1;
    if (scene.ViewWidth != 400 || scene.ViewBitmap.Width() != 400) return 2;
    if (scene.DepthBuffer.Width() != 400 || scene.OwnerBuffer.Height() != 400) return 3;
    if (scene.PartPosX[0] != before.PartPosX[0]) return 4;
    return 0;
  });
}

TEST(OutOfMemory, ALoadThatCannotGetItsMemoryKeepsTheScene) {
  inChild([] {
    test::ScriptedApp program;
    program.form1().TrackBar1.SetPosition(1);
    program.AddPicture(test::DiscPicture(1024, 1024, 512, 512, 500, 0x3080F0, 0xFFFFFF), "a.bmp");
    const std::string project = program.folder() / "save/large.dat";
    program.Answer(project);
    program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
    program.form1().Button4.Click();
    Scene& scene = program.scene();
    const Scene before = scene;
    // Room for the message, not for a second mesh and its pictures.
    limitAddressSpace(size_t{8} << 20);
    program.Answer(project);
    program.Dispatch([&] { program.form1().SpeedButton5.Click(); });
    if (program.errors != std::vector<std::string>{OutOfMemory}) return 1;
    if (scene.PartCount != 1 || !scene.View3D || scene.FrontZ[0][9][9] != before.FrontZ[0][9][9]) {
      return 2;
    }
    if (!(scene.ViewBitmap == before.ViewBitmap) ||
        !(scene.PartPicture[0] == before.PartPicture[0])) {
      return 3;
    }
    return 0;
  });
}

TEST(OutOfMemory, ARedrawThatCannotGetItsMemoryKeepsTheView) {
  inChild([] {
    test::ScriptedApp program;
    program.form1().TrackBar1.SetPosition(1);
    program.AddPicture(test::DiscPicture(1024, 1024, 512, 512, 500, 0x3080F0, 0xFFFFFF), "a.bmp");
    Scene& scene = program.scene();
    const Bitmap flatView = scene.ViewBitmap;
    // Room for the pass's buffers of a 400 x 400 view, not for the sides of
    // a mesh of 515 x 514 cells.
    limitAddressSpace(size_t{16} << 20);
    program.Dispatch([&] { program.form1().Button4.Click(); });
    if (program.errors != std::vector<std::string>{OutOfMemory}) return 1;
    if (!(scene.ViewBitmap == flatView)) return 2;
    return 0;
  });
}

// The threads this process runs.
int threadCount() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) std::exit(3);
  char line[256];
  int threads = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "Threads: %d", &threads) == 1) break;
  }
  std::fclose(status);
  return threads;
}

TEST(OutOfMemory, ARedrawWhoseHelpersCannotStartIsDrawnAlone) {
  inChild([] {
    test::ScriptedApp program;
    program.AddPicture(test::DiscPicture(100, 100, 50, 50, 45, 0x3080F0, 0xFFFFFF), "a.bmp");
    Scene& scene = program.scene();
    Scene alone = scene;
    alone.View3D = true;
    DrawScene3D(alone, FillTriangle, 1);
    // Room for the pass, not for a helper's stack.
    limitAddressSpace(size_t{2} << 20);
    program.Dispatch([&] { program.form1().Button4.Click(); });
    if (!program.errors.empty() || !program.messages.empty()) return 1;
    if (!(scene.ViewBitmap == alone.ViewBitmap)) return 2;
    if (threadCount() != 1) return 3;
    return 0;
  });
}

}  // namespace
}  // namespace puffel
