#include <QAbstractButton>
#include <QActionGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "desktop_fixture.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace puffel::test {
namespace {

using MainWindowTest = DesktopTest;

TEST_F(MainWindowTest, IsAFixedWindowWithOnlyTheSystemMenuAndMinimise) {
  FormWindow& window = program().mainWindow;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Puffel!"));
  // The menu bar sits above the client area, which keeps its size.
  const QMenuBar* bar = window.findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 200, bar->sizeHint().height()));
  EXPECT_EQ(window.clientArea()->geometry(), QRect(0, bar->height(), 200, 449));
  const QSize whole(200, 449 + bar->height());
  EXPECT_EQ(window.size(), whole);
  EXPECT_EQ(window.minimumSize(), whole);
  EXPECT_EQ(window.maximumSize(), whole);
  EXPECT_EQ(program().app.form1.ClientWidth(), 200);
  EXPECT_EQ(program().app.form1.ClientHeight(), 449);
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
      case ControlKind::RadioButton:
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
  QWidget& window = *program().mainWindow.clientArea();
  QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(40, 54));
  QMouseEvent drag(QEvent::MouseMove, QPointF(30, 54), window.mapToGlobal(QPointF(30, 54)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drag);
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(30, 54));
  EXPECT_EQ(scene().LightMarkX, 16);
  EXPECT_EQ(scene().LightDirX, -0.6);
  // The white marker disc shows on the window itself.
  FormWindow& whole = program().mainWindow;
  ASSERT_TRUE(
      WaitFor([&] { return whole.grab().toImage().pixel(28, window.y() + 52) == 0xFFFFFFFF; }));

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

// The main window's menus all show on the bar's one line, none behind an
// overflow arrow; the animation menu is the part window's.
TEST_F(MainWindowTest, MenuBarHoldsTheFileEditAndHelpMenusOnOneLine) {
  const QMenuBar* bar = program().mainWindow.findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  const QList<QAction*> menus = bar->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("編集"));
  EXPECT_EQ(menus[2]->text(), QStringLiteral("ヘルプ"));
  for (QAction* menu : menus) {
    const QRect place = bar->actionGeometry(menu);
    EXPECT_FALSE(place.isEmpty()) << menu->text().toStdString();
    EXPECT_EQ(place.top(), bar->actionGeometry(menus[0]).top());
    EXPECT_LE(place.right(), bar->width());
  }
  // Projects, exports with the sprite sheet's settings, and the end, set
  // apart by separators.
  const QList<QAction*> file = menus[0]->menu()->actions();
  const char* fileEntries[] = {"Open",        "Save", "", "Export3D", "ExportGif",
                               "ExportSheet", "",     "", "Exit"};
  ASSERT_EQ(file.size(), static_cast<qsizetype>(std::size(fileEntries)));
  for (qsizetype n = 0; n < file.size(); ++n) {
    EXPECT_EQ(file[n]->isSeparator(), *fileEntries[n] == 0 && n != 6) << n;
    EXPECT_EQ(file[n]->objectName(), QString::fromLatin1(fileEntries[n]));
  }
  ASSERT_NE(file[6]->menu(), nullptr);
  EXPECT_EQ(file[6]->text(), QStringLiteral("スプライトシート設定"));
  const QList<QAction*> sheet = file[6]->menu()->actions();
  ASSERT_EQ(sheet.size(), 4);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(sheet[n]->isChecked(), n == 0) << n;
  // One number of directions is checked at a time; the frame files on their own.
  sheet[2]->trigger();
  sheet[3]->trigger();
  for (int n = 0; n < 4; ++n) EXPECT_EQ(sheet[n]->isChecked(), n >= 2) << n;
  EXPECT_EQ(file[0]->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_O)});
  EXPECT_EQ(file[1]->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_S)});
  const QList<QAction*> edit = menus[1]->menu()->actions();
  ASSERT_EQ(edit.size(), 2);
  EXPECT_EQ(edit[0]->text(), QStringLiteral("元に戻す"));
  EXPECT_EQ(edit[0]->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)});
  EXPECT_EQ(edit[1]->text(), QStringLiteral("やり直し"));
  EXPECT_EQ(edit[1]->shortcuts(),
            (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
  // Nothing to take back or redo yet: both greyed.
  EXPECT_FALSE(edit[0]->isEnabled());
  EXPECT_FALSE(edit[1]->isEnabled());
  ASSERT_EQ(menus[2]->menu()->actions().size(), 2);
  EXPECT_EQ(menus[2]->menu()->actions()[0]->text(), QStringLiteral("readme を開く"));
  EXPECT_EQ(menus[2]->menu()->actions()[1]->objectName(), QStringLiteral("About"));

  // The part window's animation menu: its entries, the key intervals one
  // radio group with one second checked.
  const QMenuBar* partBar = program().partWindow.findChild<QMenuBar*>();
  ASSERT_NE(partBar, nullptr);
  ASSERT_EQ(partBar->actions().size(), 1);
  EXPECT_EQ(partBar->actions()[0]->text(), QStringLiteral("アニメーション"));
  AnimationMenu& model = program().app.form2.Animation;
  for (MenuEntry* entry : model.Entries()) {
    const auto* action = partBar->findChild<QAction*>(QString::fromStdString(entry->name));
    ASSERT_NE(action, nullptr) << entry->name;
    EXPECT_EQ(action->text(), QString::fromStdString(entry->caption));
    EXPECT_EQ(action->isEnabled(), entry->Enabled()) << entry->name;
  }
  // Nothing to play or stop yet.
  EXPECT_FALSE(partBar->findChild<QAction*>(QStringLiteral("Play"))->isEnabled());
  EXPECT_FALSE(partBar->findChild<QAction*>(QStringLiteral("Stop"))->isEnabled());
  std::vector<QAction*> intervals;
  for (const MenuEntry& entry : model.KeyInterval) {
    intervals.push_back(partBar->findChild<QAction*>(QString::fromStdString(entry.name)));
    ASSERT_NE(intervals.back()->actionGroup(), nullptr);
    EXPECT_TRUE(intervals.back()->actionGroup()->isExclusive());
    EXPECT_EQ(intervals.back()->actionGroup(), intervals.front()->actionGroup());
    EXPECT_EQ(intervals.back()->isChecked(), entry.Checked());
  }
  EXPECT_TRUE(intervals[2]->isChecked());
  // Choosing one moves the mark to it, choosing it again keeps it there, and
  // undo moves it back.
  for (int again = 0; again < 2; ++again) {
    intervals[0]->trigger();
    EXPECT_EQ(scene().KeyInterval, 0.25);
    EXPECT_TRUE(intervals[0]->isChecked());
    EXPECT_FALSE(intervals[2]->isChecked());
  }
  edit[0]->trigger();
  EXPECT_EQ(scene().KeyInterval, 1);
  EXPECT_FALSE(intervals[0]->isChecked());
  EXPECT_TRUE(intervals[2]->isChecked());
  // The soft joints after a separator: off, reaching "普通", checked entries
  // outside a submenu; switching them is one step of the history.
  auto* soft = partBar->findChild<QAction*>(QStringLiteral("SoftJoints"));
  const QList<QAction*> animation = partBar->actions()[0]->menu()->actions();
  const qsizetype place = animation.indexOf(soft);
  ASSERT_GT(place, 0);
  EXPECT_TRUE(animation[place - 1]->isSeparator());
  for (qsizetype n = 0; n <= static_cast<qsizetype>(model.JointReach.size()); ++n) {
    ASSERT_LT(place + n, animation.size());
    EXPECT_TRUE(animation[place + n]->isCheckable());
    EXPECT_EQ(animation[place + n]->actionGroup(), nullptr);
    EXPECT_EQ(animation[place + n]->isChecked(), n == DefaultJointReach);
  }
  soft->trigger();
  EXPECT_TRUE(scene().SoftJoints);
  EXPECT_TRUE(soft->isChecked());
  animation[place + 3]->trigger();
  EXPECT_EQ(scene().JointReach, 3);
  EXPECT_TRUE(animation[place + 3]->isChecked());
  EXPECT_FALSE(animation[place + DefaultJointReach]->isChecked());
  edit[0]->trigger();
  edit[0]->trigger();
  EXPECT_FALSE(scene().SoftJoints);
  EXPECT_FALSE(soft->isChecked());
  EXPECT_TRUE(animation[place + DefaultJointReach]->isChecked());
}

TEST_F(MainWindowTest, EditShortcutsUndoAndRedoWhileEitherWindowIsActive) {
  FormWindow& main = program().mainWindow;
  auto* undo = main.findChild<QAction*>(QStringLiteral("Undo"));
  auto* redo = main.findChild<QAction*>(QStringLiteral("Redo"));
  ASSERT_NE(undo, nullptr);
  ASSERT_NE(redo, nullptr);
  // A right drag in the wheel picks the light's colour.
  const int top = main.clientArea()->y();
  QTest::mousePress(&main, Qt::RightButton, {}, QPoint(30, top + 54));
  QTest::mouseRelease(&main, Qt::RightButton, {}, QPoint(30, top + 54));
  const int picked = scene().ColorMarkX;
  ASSERT_NE(picked, 40);
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  for (QWidget* window :
       {static_cast<QWidget*>(&program().partWindow), static_cast<QWidget*>(&main)}) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(scene().ColorMarkX, 40);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(scene().ColorMarkX, picked);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(scene().ColorMarkX, picked);
  }
}

// Ctrl+O and Ctrl+S run what the "L" and "S" buttons run whichever window is
// active; "終了" closes the program as closing a window does.
TEST_F(MainWindowTest, FileMenuReachesTheButtonsHandlersAndClosesTheProgram) {
  TForm1& form1 = program().app.form1;
  // What a handler asks for: its file dialogs (cancelled) and messages.
  std::vector<std::string> asked;
  PlatformServices().runFileDialog = [&](FileDialog& dialog) {
    asked.push_back(dialog.filter + "|" + dialog.initialDir);
    return false;
  };
  PlatformServices().showMessage = [&](const std::string& text) { asked.push_back(text); };
  struct Row {
    Qt::Key key;
    Control& button;
  };
  const Row rows[] = {{Qt::Key_O, form1.SpeedButton5}, {Qt::Key_S, form1.SpeedButton4}};
  for (QWidget* window : {static_cast<QWidget*>(&program().partWindow),
                          static_cast<QWidget*>(&program().mainWindow)}) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    for (const Row& row : rows) {
      asked.clear();
      row.button.Click();
      const std::vector<std::string> byButton = asked;
      asked.clear();
      QTest::keyClick(window, row.key, Qt::ControlModifier);
      EXPECT_FALSE(byButton.empty()) << row.button.name;
      EXPECT_EQ(asked, byButton) << row.button.name;
    }
  }
  program().mainWindow.findChild<QAction*>(QStringLiteral("Exit"))->trigger();
  EXPECT_TRUE(program().app.form1.Closed());
  EXPECT_FALSE(program().mainWindow.isVisible());
}

TEST_F(MainWindowTest, MenuEntriesRunTheirHandlers) {
  auto* exportAction = program().mainWindow.findChild<QAction*>(QStringLiteral("Export3D"));
  ASSERT_NE(exportAction, nullptr);
  exportAction->trigger();
  EXPECT_EQ(messages, (std::vector<std::string>{"まだ画像を読み込んでいません！"}));

  std::string opened;
  const auto desktopViewer = PlatformServices().openDocument;
  PlatformServices().openDocument = [&](const std::string& path) {
    opened = path;
    return true;
  };
  auto* readme = program().mainWindow.findChild<QAction*>(QStringLiteral("OpenReadme"));
  ASSERT_NE(readme, nullptr);
  readme->trigger();
  EXPECT_EQ(messages.back(), "readme.txt が見つかりません！");
  WriteFileBytes(ProgramFolder() + "readme.txt", "Puffel\n");
  readme->trigger();
  PlatformServices().openDocument = desktopViewer;
  EXPECT_EQ(opened, ProgramFolder() + "readme.txt");
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(MainWindowTest, PointerEventsInTheClientAreaArriveInClientCoordinates) {
  FormWindow& window = program().mainWindow;
  std::vector<std::pair<int, int>> presses;
  program().app.form1.OnMouseDown = [&](MouseButton, ShiftState, int x, int y) {
    presses.emplace_back(x, y);
  };
  // Through the window system, over the client area's empty top-left corner.
  const int top = window.clientArea()->y();
  QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(30, top + 50));
  QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(30, top + 50));
  EXPECT_EQ(presses, (std::vector<std::pair<int, int>>{{30, 50}}));
}

TEST_F(MainWindowTest, ClientAreaShowsTheSurfaceBelowTheMenuBar) {
  FormWindow& window = program().mainWindow;
  const int top = window.clientArea()->y();
  const QImage shown = window.grab().toImage();
  const Bitmap& surface = program().app.form1.Surface();
  int wrong = 0;
  for (int y = 20; y < 108; y += 3) {  // below the captions over the pickers
    for (int x = 0; x < 108; x += 3) {
      if ((shown.pixel(x, top + y) & 0xFFFFFF) != (surface.Row(y)[x] & 0xFFFFFF)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
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
