// Real widgets for the controls model: a control's kind, bounds, caption,
// font, glyph and state shown on a Qt widget, and the widget's clicks and
// changes fed back into the control.
#pragma once

#include <QWidget>

#include "platform/controls.h"

namespace puffel {

// Creates the widget for control as a child of parent at the control's bounds
// (object name = the control's name) and binds the two both ways: property
// changes of the control (Changed) reach the widget, and clicks, checks and
// slider moves reach the control through DispatchEvent. The control must
// outlive the widget; the widget unhooks itself when destroyed.
QWidget* CreateControlWidget(Control& control, QWidget* parent);

}  // namespace puffel
