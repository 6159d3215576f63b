#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "app/main_window.h"
#include "desktop_fixture.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "support/test_pictures.h"

namespace puffel::test {
namespace {

using PartWindowTest = DesktopTest;

// The height of the part window's menu bar, above the view.
int menuBar(DesktopProgram& program) {
  return program.partWindow.height() - program.app.form2.ClientHeight();
}

// True when some pixel of the rectangle is not black.
bool anyLit(const Bitmap& picture, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if ((picture.Row(y)[x] & 0xFFFFFF) != 0) return true;
    }
  }
  return false;
}

TEST_F(PartWindowTest, StartsSizeableAt400By400WithTheHelpLines) {
  const QWidget& window = program().partWindow;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Parts No.0"));
  EXPECT_GT(menuBar(program()), 0);
  EXPECT_EQ(window.size(), QSize(400, 400 + menuBar(program())));
  EXPECT_EQ(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(scene().ViewWidth, 400);
  EXPECT_EQ(scene().ViewHeight, 400);

  // The first help line is drawn in white from (10, 10); below the last one
  // the view is black.
  const Bitmap& shown = program().app.form2.Surface();
  ASSERT_EQ(shown.Width(), 400);
  EXPECT_TRUE(anyLit(shown, 10, 10, 200, 24));
  EXPECT_FALSE(anyLit(shown, 0, 0, 400, 9));
  EXPECT_FALSE(anyLit(shown, 0, 120, 400, 400));
}

TEST_F(PartWindowTest, ResizeKeepsTheSceneCentred) {
  scene().PartCount = 1;
  scene().PartPosX[0] = 100;
  scene().PartOffsetY[0] = 50;

  program().partWindow.resize(403, 390 + menuBar(program()));
  ASSERT_TRUE(WaitFor([&] { return scene().ViewWidth == 403; }));

  EXPECT_EQ(scene().ViewHeight, 390);
  EXPECT_DOUBLE_EQ(scene().PartPosX[0], 101.5);
  EXPECT_DOUBLE_EQ(scene().PartOffsetY[0], 45);
  EXPECT_EQ(scene().ViewBitmap.Width(), 403);
  EXPECT_EQ(program().app.form2.Surface().Height(), 390);
}

TEST_F(PartWindowTest, WindowPaintsRedrawButTheCoresOwnRedrawIsOnlyShown) {
  int paints = 0;
  const std::function<void()> formPaint = program().app.form2.OnPaint;
  program().app.form2.OnPaint = [&] {
    ++paints;
    formPaint();
  };

  program().partWindow.repaint();
  EXPECT_EQ(paints, 1);

  program().app.form2.FormPaint();
  QTest::qWait(50);
  EXPECT_EQ(paints, 1);

  program().partWindow.repaint();
  EXPECT_EQ(paints, 2);
}

TEST_F(PartWindowTest, FixedBorderPinsTheClientSizeUntilSizeableAgain) {
  TForm2& form2 = program().app.form2;
  form2.SetBorder(BorderStyle::Single, form2.GetBorderIcons());
  form2.SetClientSize(300, 200);
  QWidget& window = program().partWindow;
  const int bar = menuBar(program());
  EXPECT_EQ(window.size(), QSize(300, 200 + bar));
  EXPECT_EQ(window.maximumSize(), QSize(300, 200 + bar));
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(scene().ViewWidth, 300);

  form2.SetBorder(BorderStyle::Sizeable, form2.GetBorderIcons());
  EXPECT_EQ(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  EXPECT_EQ(window.minimumSize(), QSize(0, bar));
}

TEST_F(PartWindowTest, ADragThatLeavesTheWindowStillReachesTheHandlers) {
  const std::string path = ProgramFolder() + "obj/disc.bmp";
  SaveBitmapFile(path, DiscPicture(100, 100, 50, 50, 48, 0x3080F0, 0xFFFFFF));
  PlatformServices().runFileDialog = [&](FileDialog& dialog) {
    dialog.fileName = path;
    return true;
  };
  program().app.form1.Button1.Click();
  ASSERT_EQ(scene().PartCount, 1);

  QWidget& window = program().partWindow;
  const int bar = menuBar(program());
  QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(170, 200 + bar));
  const auto moveTo = [&](QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, window.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
  };
  moveTo({150.0, 190.0 + bar});
  moveTo({-40.0, 180.0 + bar});  // outside: no motion along x
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(-40, 180 + bar));
  EXPECT_EQ(scene().PartPosX[0], 180);
  EXPECT_EQ(scene().PartPosY[0], 180);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Parts No.0"));
}

TEST_F(PartWindowTest, ABackgroundFixesTheWindowAtItsSizeUntilCleared) {
  const std::string path = ProgramFolder() + "haikei/sky.bmp";
  Bitmap sky(300, 200);
  sky.Fill(0x336699);
  SaveBitmapFile(path, sky);
  PlatformServices().runFileDialog = [&](FileDialog& dialog) {
    dialog.fileName = path;
    return true;
  };
  QTest::mouseClick(control("Button2"), Qt::LeftButton);
  QWidget& window = program().partWindow;
  const int bar = menuBar(program());
  EXPECT_EQ(window.size(), QSize(300, 200 + bar));
  EXPECT_EQ(window.maximumSize(), QSize(300, 200 + bar));
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(scene().ViewWidth, 300);
  ASSERT_TRUE(WaitFor([&] { return window.grab().toImage().pixel(5, 5 + bar) == 0xFF336699; }));

  QTest::mouseClick(control("Button3"), Qt::LeftButton);
  EXPECT_EQ(window.size(), QSize(300, 200 + bar));
  EXPECT_EQ(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(messages.empty());
}

// The part window's mouse handlers, recorded as text.
class PartWindowMouseTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    Form& form2 = program().app.form2;
    auto held = [](ShiftState s) {
      return std::string(s.left ? "L" : "") + (s.right ? "R" : "") + (s.middle ? "M" : "");
    };
    auto which = [](MouseButton b) {
      return b == MouseButton::Left ? "left" : b == MouseButton::Right ? "right" : "middle";
    };
    auto at = [](int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y); };
    form2.OnDblClick = [this] { events.push_back("dblclick"); };
    form2.OnMouseDown = [=, this](MouseButton b, ShiftState s, int x, int y) {
      events.push_back(std::string("down ") + which(b) + " " + held(s) + at(x, y));
    };
    form2.OnMouseUp = [=, this](MouseButton b, ShiftState s, int x, int y) {
      events.push_back(std::string("up ") + which(b) + " " + held(s) + at(x, y));
    };
    form2.OnMouseMove = [=, this](ShiftState s, int x, int y) {
      events.push_back("move " + held(s) + at(x, y));
    };
    form2.OnMouseWheelUp = [=, this](ShiftState, int x, int y) {
      const auto [cx, cy] = program().app.form2.ScreenToClient(x, y);
      events.push_back("wheel up" + at(cx, cy));
    };
    form2.OnMouseWheelDown = [=, this](ShiftState, int x, int y) {
      const auto [cx, cy] = program().app.form2.ScreenToClient(x, y);
      events.push_back("wheel down" + at(cx, cy));
    };
  }

  void wheel(int angle, QPoint client) {
    QWidget& window = program().partWindow;
    client.ry() += menuBar(program());
    QWheelEvent event(client, window.mapToGlobal(QPointF(client)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &event);
  }

  std::vector<std::string> events;
};

TEST_F(PartWindowMouseTest, PressesMovesAndReleasesCarryClientPixelsAndHeldButtons) {
  QWidget& window = program().partWindow;
  const int bar = menuBar(program());
  QTest::mousePress(&window, Qt::RightButton, {}, QPoint(30, 40 + bar));
  const QPointF to(31.5, 41 + bar);
  QMouseEvent move(QEvent::MouseMove, to, window.mapToGlobal(to), Qt::NoButton, Qt::RightButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&window, &move);
  QTest::mouseRelease(&window, Qt::RightButton, {}, QPoint(32, 42 + bar));

  const std::vector<std::string> expected = {"down right R 30,40", "move R 31,41",
                                             "up right  32,42"};
  EXPECT_EQ(events, expected);
}

TEST_F(PartWindowMouseTest, LeftDoubleClickIsReportedBeforeThePressItCompletes) {
  QWidget& window = program().partWindow;
  const QPoint at(50, 60 + menuBar(program()));
  QTest::mousePress(&window, Qt::LeftButton, {}, at);
  QTest::mouseRelease(&window, Qt::LeftButton, {}, at);
  QTest::mouseDClick(&window, Qt::LeftButton, {}, at);
  QTest::mouseRelease(&window, Qt::LeftButton, {}, at);
  const std::vector<std::string> left = {"down left L 50,60", "up left  50,60", "dblclick",
                                         "down left L 50,60", "up left  50,60"};
  EXPECT_EQ(events, left);

  events.clear();
  QTest::mouseDClick(&window, Qt::RightButton, {}, at);
  QTest::mouseRelease(&window, Qt::RightButton, {}, at);
  const std::vector<std::string> right = {"down right R 50,60", "up right  50,60"};
  EXPECT_EQ(events, right);
}

TEST_F(PartWindowMouseTest, WheelCallsOncePerNotchWithTheScreenPosition) {
  wheel(120, QPoint(7, 9));
  wheel(-240, QPoint(8, 9));
  for (int step = 0; step < 3; ++step) wheel(40, QPoint(9, 9));
  wheel(100, QPoint(10, 9));

  const std::vector<std::string> expected = {"wheel up 7,9", "wheel down 8,9", "wheel down 8,9",
                                             "wheel up 9,9"};
  EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace puffel::test
