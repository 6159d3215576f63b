// A top-level Qt window showing a Form: its caption, border and client size,
// its menu entries as a menu bar above the client area, its controls as child
// widgets, its surface 1:1, and the window system's paint, resize, mouse,
// wheel, timer, close and file-drop events fed into its handlers.
#pragma once

#include <QTimer>
#include <QWidget>

#include "platform/form.h"

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMenuBar;
class QMouseEvent;
class QPaintEvent;
class QResizeEvent;
class QWheelEvent;

namespace puffel {

class FormWindow : public QWidget {
 public:
  // Shows form (which must outlive the window) and binds its hooks; the
  // window takes the form's caption, border and non-zero client size now.
  explicit FormWindow(Form& form);
  ~FormWindow() override;

  Form& form() { return form_; }
  // The widget covering the client area, below the menu bar if there is one
  // (else the window itself); the controls are its children.
  QWidget* clientArea() { return client_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void applyProperties();
  void surfaceChanged();
  void reportPress(QMouseEvent* event, bool doubleClick);
  // The client pixel under the pointer (pixel x covers x .. x + 1).
  std::pair<int, int> clientPixel(const QMouseEvent* event) const;
  // The height of the menu bar, 0 without one.
  int menuHeight() const;
  // The menu bar across the top, the client area below it.
  void placeMenuBar();

  Form& form_;
  QMenuBar* menuBar_ = nullptr;
  QWidget* client_ = this;
  // The core has painted the surface itself since the last paint event: the
  // next paint event only shows it.
  bool fresh_ = false;
  bool painting_ = false;
  QTimer timer_;
};

}  // namespace puffel
