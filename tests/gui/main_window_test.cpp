#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "desktop_fixture.h"

namespace puffel::test {
namespace {

using MainWindowTest = DesktopTest;

TEST_F(MainWindowTest, IsAFixedWindowWithOnlyTheSystemMenuAndMinimise) {
  const QWidget& window = program().mainWindow;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Puffel!"));
  EXPECT_EQ(window.size(), QSize(200, 449));
  EXPECT_EQ(window.minimumSize(), QSize(200, 449));
  EXPECT_EQ(window.maximumSize(), QSize(200, 449));
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainWindowTest, OpensNearTheTopLeftClearOfThePartWindow) {
  const QRect main = program().mainWindow.frameGeometry();
  EXPECT_LT(main.left(), 100);
  EXPECT_LT(main.top(), 100);
  EXPECT_FALSE(main.intersects(program().partWindow.frameGeometry()));
}

TEST_F(MainWindowTest, QtsOwnDialogsSpeakJapanese) {
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

TEST_F(MainWindowTest, ShowsEveryControlAtItsBoundsWithItsCaptionAndFont) {
  const TForm1& form1 = program().app.form1;
  ASSERT_EQ(form1.Controls().size(), 28u);
  for (const Control* model : form1.Controls()) {
    SCOPED_TRACE(model->name);
    QWidget* widget = control(model->name.c_str());
    ASSERT_NE(widget, nullptr);
    const Bounds& b = model->bounds;
    EXPECT_EQ(widget->geometry(), QRect(b.left, b.top, b.width, b.height));
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->font().pixelSize(),
              model->name == "StaticText4" || model->name == "StaticText5" ? 10 : 12);
    const QString caption = QString::fromStdString(model->Caption());
    switch (model->kind) {
      case ControlKind::Button:
      case ControlKind::CheckBox:
        EXPECT_EQ(qobject_cast<QAbstractButton*>(widget)->text(), caption);
        break;
      case ControlKind::StaticText:
      case ControlKind::Label:
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->text(), caption);
        break;
      case ControlKind::GlyphButton: {
        auto* button = qobject_cast<QToolButton*>(widget);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->iconSize(), QSize(23, 22));
        EXPECT_FALSE(button->icon().isNull());
        break;
      }
      case ControlKind::TrackBar: {
        auto* slider = qobject_cast<QSlider*>(widget);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->orientation(), Qt::Horizontal);
        EXPECT_EQ(slider->tickPosition(), QSlider::TicksBelow);
        EXPECT_EQ(slider->tickInterval(), model->Max() - model->Min());
        EXPECT_EQ(slider->minimum(), model->Min());
        EXPECT_EQ(slider->maximum(), model->Max());
        EXPECT_EQ(slider->value(), model->Position());
        break;
      }
      case ControlKind::ProgressBar: {
        auto* bar = qobject_cast<QProgressBar*>(widget);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 100);
        EXPECT_EQ(bar->value(), 0);
        break;
      }
    }
  }
  EXPECT_EQ(control<QPushButton>("Button4")->text(), QStringLiteral("2D<－>3D"));
  EXPECT_EQ(control<QLabel>("StaticText1")->text(), QStringLiteral("ﾎﾟﾘｺﾞﾝｻｲｽﾞ : 8"));
}

TEST_F(MainWindowTest, TabKeyVisitsTheControlsInTheirTabOrder) {
  QWidget& window = program().mainWindow;
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const char* const expected[] = {"Button1",   "Button4",   "Button2",   "Button3",   "TrackBar1",
                                  "TrackBar3", "TrackBar2", "TrackBar4", "TrackBar6", "TrackBar5",
                                  "CheckBox1", "CheckBox2", "CheckBox3", "Button1"};
  for (const char* name : expected) {
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() != nullptr; }));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
}

TEST_F(MainWindowTest, SlidersCheckBoxesAndTheProgressBarFollowTheirControls) {
  control<QSlider>("TrackBar2")->setValue(-10);
  EXPECT_EQ(program().app.form1.TrackBar2.Position(), -10);
  EXPECT_EQ(control<QLabel>("StaticText2")->text(), QStringLiteral("ふくらみ(前) : -10"));

  QCheckBox* both = control<QCheckBox>("CheckBox3");
  QTest::mouseClick(both, Qt::LeftButton, {}, QPoint(6, both->height() / 2));
  EXPECT_TRUE(program().app.form1.CheckBox3.Checked());

  program().app.form1.ProgressBar1.SetPosition(40);
  EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 40);
}

TEST_F(MainWindowTest, SwitchingViewsWithNoPartDoesNothing) {
  int paints = 0;
  const std::function<void()> formPaint = program().app.form2.OnPaint;
  program().app.form2.OnPaint = [&] {
    ++paints;
    formPaint();
  };
  const Bitmap shown = program().app.form2.Surface();

  QPushButton* button = control<QPushButton>("Button4");
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::qWait(50);

  EXPECT_FALSE(scene().View3D);
  EXPECT_EQ(paints, 0);
  EXPECT_TRUE(program().app.form2.Surface() == shown);
  EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, MouseInThePickersMovesTheMarksAndRepaints) {
  QWidget& window = program().mainWindow;
  QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(40, 54));
  QMouseEvent drag(QEvent::MouseMove, QPointF(30, 54), window.mapToGlobal(QPointF(30, 54)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drag);
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(30, 54));
  EXPECT_EQ(scene().LightMarkX, 16);
  EXPECT_EQ(scene().LightDirX, -0.6);
  // The white marker disc shows on the window itself.
  ASSERT_TRUE(WaitFor([&] { return window.grab().toImage().pixel(28, 52) == 0xFFFFFFFF; }));

  QTest::mouseClick(&window, Qt::MiddleButton, {}, QPoint(148, 50));
  EXPECT_EQ(scene().FadeStart, -1);

  // Only a left double click puts the light behind.
  QTest::mouseDClick(&window, Qt::RightButton, {}, QPoint(54, 54));
  QTest::mouseRelease(&window, Qt::RightButton, {}, QPoint(54, 54));
  EXPECT_FALSE(scene().LightBehind);
  QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(54, 54));
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(54, 54));
  EXPECT_TRUE(scene().LightBehind);
  EXPECT_EQ(scene().LightDirZ, 1);
}

TEST_F(MainWindowTest, ClosingThePartWindowClosesTheMainWindow) {
  program().partWindow.close();
  EXPECT_TRUE(program().app.form2.Closed());
  EXPECT_TRUE(program().app.form1.Closed());
  EXPECT_FALSE(program().mainWindow.isVisible());
  // The main window's FormClose has released the scene's pictures.
  EXPECT_TRUE(scene().ViewBitmap.Empty());
}

}  // namespace
}  // namespace puffel::test
