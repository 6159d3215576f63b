#include "gui/desktop_program.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include "gui/dialogs.h"
#include "gui/text_renderer.h"
#include "gui/translations.h"
#include "platform/canvas.h"
#include "platform/services.h"

namespace puffel {

void InstallDesktopServices() {
  Services& services = PlatformServices();
  services.runFileDialog = RunFileDialog;
  services.showMessage = ShowMessageBox;
  services.reportError = ShowErrorBox;
  services.showInformation = ShowInformationBox;
  services.askText = AskTextBox;
  services.toolkitNotice = "Qt 6（GNU LGPL 3、共有ライブラリとしてリンク）";
  services.openDocument = [](const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  };
  const QColor face = QApplication::palette().color(QPalette::Button);
  services.buttonFaceColour = static_cast<uint32_t>(face.red()) |
                              static_cast<uint32_t>(face.green()) << 8 |
                              static_cast<uint32_t>(face.blue()) << 16;
  SetTextRenderer(DrawTextOnBitmap);
  InstallJapaneseTranslations();
}

DesktopProgram::DesktopProgram() {
  // Closing the main window ends the program; the part window closes it
  // first (its FormClose).
  partWindow.setAttribute(Qt::WA_QuitOnClose, false);
  timelineWindow.setAttribute(Qt::WA_QuitOnClose, false);
}

void DesktopProgram::Show() {
  const QRect free = mainWindow.screen()->availableGeometry();
  const ScreenRect area{free.x(), free.y(), free.width(), free.height()};
  const ScreenRect main = MainWindowPlace(area, mainWindow.frameGeometry().width(),
                                          mainWindow.frameGeometry().height());
  mainWindow.move(main.left, main.top);
  mainWindow.show();
  // The view's size, the part window's menu bar above it.
  DispatchEvent([this] { app.form2.SetClientSize(InitialViewWidth, InitialViewHeight); });
  const ScreenRect part = PartWindowPlace(area, main, partWindow.frameGeometry().width(),
                                          partWindow.frameGeometry().height());
  partWindow.move(part.left, part.top);
  partWindow.show();
  // Until the window manager has framed the windows, Qt knows no frame: a
  // title bar of the style's height is taken around each client area then.
  QRect partFrame = partWindow.frameGeometry();
  QSize border = partFrame.size() - partWindow.size();
  if (border.height() <= 0) {
    border = QSize(0, partWindow.style()->pixelMetric(QStyle::PM_TitleBarHeight));
    partFrame.setHeight(partFrame.height() + border.height());
  }
  const ScreenRect timeline = TimelineWindowPlace(
      area, main, {partFrame.x(), partFrame.y(), partFrame.width(), partFrame.height()},
      timelineWindow.width() + border.width(), timelineWindow.height() + border.height());
  timelineWindow.move(timeline.left, timeline.top);
  if (app.form3.Visible()) timelineWindow.show();
}

}  // namespace puffel
