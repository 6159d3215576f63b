#include "gui/form_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "gui/control_widgets.h"
#include "gui/fonts.h"
#include "gui/menu_bar.h"
#include "platform/services.h"

namespace puffel {

namespace {

std::optional<MouseButton> mouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

ShiftState heldButtons(Qt::MouseButtons buttons) {
  return {.left = buttons.testFlag(Qt::LeftButton),
          .right = buttons.testFlag(Qt::RightButton),
          .middle = buttons.testFlag(Qt::MiddleButton)};
}

// The local files a drag carries, in its order; empty when it carries
// anything else as well.
std::vector<std::string> droppedFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

Qt::WindowFlags flagsFor(const BorderIcons& icons) {
  // Without CustomizeWindowHint the window system keeps its own set of buttons.
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (icons.systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (icons.minimize) flags |= Qt::WindowMinimizeButtonHint;
  if (icons.maximize) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

}  // namespace

FormWindow::FormWindow(Form& form) : form_(form) {
  setMouseTracking(true);
  setFont(JapaneseFont(12));
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);

  menuBar_ = CreateMenuBar(
      form_, this, [this](const std::function<void()>& handler) { form_.Dispatch(handler); });
  if (menuBar_ != nullptr) {
    // The controls lie in the client area below the bar; the pointer's events
    // there pass on to this window.
    client_ = new QWidget(this);
    client_->setMouseTracking(true);
  }

  std::map<const Control*, QWidget*> widgets;
  for (Control* control : form_.Controls())
    widgets[control] = CreateControlWidget(*control, client_);
  std::vector<QWidget*> tabStops;
  for (const Control* control : TabStops(form_.Controls())) tabStops.push_back(widgets[control]);
  for (size_t i = 1; i < tabStops.size(); ++i) setTabOrder(tabStops[i - 1], tabStops[i]);
  // The first tab stop holds the focus when the window first becomes active.
  if (!tabStops.empty()) tabStops.front()->setFocus();

  // Files dropped anywhere on the window, controls included, reach the form.
  setAcceptDrops(static_cast<bool>(form_.OnDropFiles));

  form_.PropertiesChanged = [this] { applyProperties(); };
  form_.SurfaceChanged = [this] { surfaceChanged(); };
  form_.CloseRequested = [this] { close(); };
  form_.VisibilityChanged = [this] { setVisible(form_.Visible()); };
  // A timeout that comes due while the last one runs is not queued: Qt
  // delivers it once, when the event loop is back.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { form_.ReportTimer(); });
  form_.TimerChanged = [this] {
    if (form_.TimerInterval() > 0) {
      timer_.start(form_.TimerInterval());
    } else {
      timer_.stop();
    }
  };
  form_.MapScreenToClient = [this](int x, int y) {
    const QPoint client = mapFromGlobal(QPoint(x, y));
    return std::pair{client.x(), client.y() - menuHeight()};
  };
  applyProperties();
}

FormWindow::~FormWindow() {
  form_.PropertiesChanged = nullptr;
  form_.SurfaceChanged = nullptr;
  form_.CloseRequested = nullptr;
  form_.VisibilityChanged = nullptr;
  form_.TimerChanged = nullptr;
  form_.MapScreenToClient = nullptr;
}

void FormWindow::applyProperties() {
  setWindowTitle(QString::fromStdString(form_.Caption()));

  const Qt::WindowFlags flags = flagsFor(form_.GetBorderIcons());
  if (windowFlags() != flags) {
    // New flags hide a shown window.
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (shown) show();
  }

  const QSize client(form_.ClientWidth(), form_.ClientHeight());
  const QSize window = client + QSize(0, menuHeight());
  if (form_.GetBorderStyle() == BorderStyle::Single) {
    if (!client.isEmpty()) setFixedSize(window);
  } else {
    setMinimumSize(0, menuHeight());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!client.isEmpty() && size() != window) resize(window);
  }
  placeMenuBar();
}

int FormWindow::menuHeight() const {
  return menuBar_ == nullptr ? 0 : menuBar_->sizeHint().height();
}

std::pair<int, int> FormWindow::clientPixel(const QMouseEvent* event) const {
  return {static_cast<int>(std::floor(event->position().x())),
          static_cast<int>(std::floor(event->position().y())) - menuHeight()};
}

void FormWindow::surfaceChanged() {
  // Inside a paint event the picture is shown as soon as the handler returns.
  if (painting_) return;
  fresh_ = true;
  update();
}

void FormWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void FormWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = droppedFiles(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  // The drop ends before the files are read: a build or a message box must
  // not keep the desktop's drag waiting.
  QTimer::singleShot(0, this, [this, paths = std::move(paths)] { form_.ReportDrop(paths); });
}

void FormWindow::paintEvent(QPaintEvent*) {
  if (!fresh_) {
    painting_ = true;
    form_.ReportPaint();
    painting_ = false;
  }
  fresh_ = false;
  const Bitmap& surface = form_.Surface();
  if (surface.Empty()) return;
  const QImage picture(reinterpret_cast<const uchar*>(surface.Pixels()), surface.Width(),
                       surface.Height(), surface.Width() * 4, QImage::Format_RGB32);
  QPainter painter(this);
  painter.drawImage(0, menuHeight(), picture);
}

void FormWindow::placeMenuBar() {
  if (menuBar_ == nullptr) return;
  const int top = menuHeight();
  menuBar_->setGeometry(0, 0, width(), top);
  client_->setGeometry(0, top, width(), height() - top);
}

void FormWindow::resizeEvent(QResizeEvent*) {
  placeMenuBar();
  form_.Dispatch([this] { form_.ReportClientSize(width(), height() - menuHeight()); });
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // Form::Close asks for this window to close again; QWidget::close ignores
  // that nested request.
  form_.ReportCloseRequest();
  event->accept();
}

void FormWindow::reportPress(QMouseEvent* event, bool doubleClick) {
  const std::optional<MouseButton> button = mouseButton(event->button());
  if (!button) return;
  const auto [x, y] = clientPixel(event);
  form_.ReportPress(*button, heldButtons(event->buttons()), x, y, doubleClick);
}

void FormWindow::mousePressEvent(QMouseEvent* event) { reportPress(event, false); }

// Qt sends this in place of the second press.
void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) { reportPress(event, true); }

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = mouseButton(event->button());
  if (!button) return;
  const auto [x, y] = clientPixel(event);
  form_.ReportRelease(*button, heldButtons(event->buttons()), x, y);
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
  const auto [x, y] = clientPixel(event);
  form_.ReportMove(heldButtons(event->buttons()), x, y);
}

void FormWindow::wheelEvent(QWheelEvent* event) {
  form_.ReportWheel(event->angleDelta().y(), heldButtons(event->buttons()),
                    static_cast<int>(std::floor(event->globalPosition().x())),
                    static_cast<int>(std::floor(event->globalPosition().y())));
  event->accept();
}

}  // namespace puffel
