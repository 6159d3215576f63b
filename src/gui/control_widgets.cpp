#include "gui/control_widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "gui/fonts.h"
#include "gui/glyphs.h"
#include "platform/services.h"

namespace puffel {

namespace {

QString captionOf(const Control& control) { return QString::fromStdString(control.Caption()); }

QWidget* createButton(Control& control, QWidget* parent) {
  auto* button = new QPushButton(captionOf(control), parent);
  QObject::connect(button, &QPushButton::clicked,
                   [&control] { DispatchEvent([&control] { control.Click(); }); });
  control.Changed = [button, &control] { button->setText(captionOf(control)); };
  return button;
}

QWidget* createGlyphButton(Control& control, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setIcon(QPixmap::fromImage(GlyphImage(control.glyph)));
  button->setIconSize(QSize(GlyphWidth, GlyphHeight));
  QObject::connect(button, &QToolButton::clicked,
                   [&control] { DispatchEvent([&control] { control.Click(); }); });
  return button;
}

QWidget* createCheckBox(Control& control, QWidget* parent) {
  auto* box = new QCheckBox(captionOf(control), parent);
  box->setChecked(control.Checked());
  QObject::connect(box, &QCheckBox::toggled, [&control](bool checked) {
    DispatchEvent([&control, checked] { control.SetChecked(checked); });
  });
  control.Changed = [box, &control] {
    const QSignalBlocker quiet(box);
    box->setText(captionOf(control));
    box->setChecked(control.Checked());
  };
  return box;
}

// The program alone checks it: a click runs the control's handler, and the
// button then shows what the handler left.
QWidget* createRadioButton(Control& control, QWidget* parent) {
  auto* button = new QRadioButton(captionOf(control), parent);
  button->setAutoExclusive(false);
  button->setChecked(control.Checked());
  QObject::connect(button, &QRadioButton::clicked, [button, &control] {
    DispatchEvent([&control] { control.Click(); });
    const QSignalBlocker quiet(button);
    button->setChecked(control.Checked());
  });
  control.Changed = [button, &control] {
    const QSignalBlocker quiet(button);
    button->setText(captionOf(control));
    button->setChecked(control.Checked());
  };
  return button;
}

// Horizontal, integer positions, one tick mark at each end below the groove.
void showRange(QSlider* slider, const Control& control) {
  const QSignalBlocker quiet(slider);
  slider->setRange(control.Min(), control.Max());
  slider->setTickInterval(std::max(1, control.Max() - control.Min()));
  slider->setValue(control.Position());
}

QWidget* createTrackBar(Control& control, QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setTickPosition(QSlider::TicksBelow);
  showRange(slider, control);
  QObject::connect(slider, &QSlider::valueChanged, [&control](int position) {
    DispatchEvent([&control, position] { control.SetPosition(position); });
  });
  control.Changed = [slider, &control] { showRange(slider, control); };
  return slider;
}

QWidget* createText(Control& control, QWidget* parent) {
  auto* label = new QLabel(captionOf(control), parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  control.Changed = [label, &control] { label->setText(captionOf(control)); };
  return label;
}

QWidget* createProgressBar(Control& control, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(false);
  bar->setRange(control.Min(), control.Max());
  bar->setValue(control.Position());
  control.Changed = [bar, &control] {
    bar->setRange(control.Min(), control.Max());
    bar->setValue(control.Position());
    // Builds run on this thread without returning to the event loop; the bar
    // must show its progress now.
    bar->repaint();
  };
  return bar;
}

QWidget* createWidget(Control& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::Button:
      return createButton(control, parent);
    case ControlKind::GlyphButton:
      return createGlyphButton(control, parent);
    case ControlKind::CheckBox:
      return createCheckBox(control, parent);
    case ControlKind::RadioButton:
      return createRadioButton(control, parent);
    case ControlKind::TrackBar:
      return createTrackBar(control, parent);
    case ControlKind::StaticText:
    case ControlKind::Label:
      return createText(control, parent);
    case ControlKind::ProgressBar:
      return createProgressBar(control, parent);
  }
  return nullptr;
}

}  // namespace

QWidget* CreateControlWidget(Control& control, QWidget* parent) {
  QWidget* widget = createWidget(control, parent);
  widget->setObjectName(QString::fromStdString(control.name));
  widget->setGeometry(control.bounds.left, control.bounds.top, control.bounds.width,
                      control.bounds.height);
  widget->setFont(JapaneseFont(control.fontHeight));
  // Glyph buttons and the label are not windows of their own and never take
  // the keyboard focus.
  if (control.tabOrder < 0) widget->setFocusPolicy(Qt::NoFocus);
  widget->setEnabled(control.Enabled());
  control.Changed = [widget, &control, shown = std::move(control.Changed)] {
    if (shown) shown();
    widget->setEnabled(control.Enabled());
  };
  QObject::connect(widget, &QObject::destroyed, [&control] { control.Changed = nullptr; });
  return widget;
}

}  // namespace puffel
