#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/platform_error.h"
#include "platform/services.h"

namespace puffel {
namespace {

TEST(Slider, ClampsAndReportsOnlyRealChanges) {
  Control slider("TrackBar1", ControlKind::TrackBar, {16, 168, 84, 25});
  slider.SetRange(1, 32);
  int changes = 0;
  slider.OnChange = [&] { ++changes; };
  slider.SetPosition(8);
  slider.SetPosition(8);
  EXPECT_EQ(changes, 1);
  slider.SetPosition(100);
  EXPECT_EQ(slider.Position(), 32);
  slider.SetPosition(-5);
  EXPECT_EQ(slider.Position(), 1);
  EXPECT_EQ(changes, 3);
}

TEST(Form, ResizeRunsOnlyWhenTheSizeChanges) {
  Form form;
  std::vector<std::string> events;
  form.OnResize = [&] { events.push_back("resize"); };
  form.PropertiesChanged = [&] { events.push_back("properties"); };
  form.ReportClientSize(400, 400);
  form.ReportClientSize(400, 400);
  form.SetClientSize(400, 400);
  form.SetClientSize(640, 480);
  EXPECT_EQ(events, (std::vector<std::string>{"resize", "properties", "resize"}));
  EXPECT_EQ(form.Surface().Width(), 640);
  EXPECT_EQ(form.Surface().Height(), 480);
}

TEST(Form, CloseRunsTheHandlerOnce) {
  Form form;
  int closes = 0;
  int requests = 0;
  form.OnClose = [&] { ++closes; };
  form.CloseRequested = [&] { ++requests; };
  form.Close();
  form.Close();
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(requests, 1);
  EXPECT_TRUE(form.Closed());
}

TEST(DispatchEvent, ShowsPlatformErrorsAndEndsTheHandler) {
  std::vector<std::string> reports;
  Services& services = PlatformServices();
  const auto previous = services.reportError;
  services.reportError = [&](const std::string& text) { reports.push_back(text); };
  bool after = false;
  DispatchEvent([&] {
    throw PlatformError("ファイルを開けません: x.bmp");
    after = true;
  });
  DispatchEvent([] {});
  services.reportError = previous;
  EXPECT_FALSE(after);
  EXPECT_EQ(reports, std::vector<std::string>{"ファイルを開けません: x.bmp"});
}

}  // namespace
}  // namespace puffel
