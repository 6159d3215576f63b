// Real child windows for the controls model: a control's kind, bounds,
// caption, font, glyph and state shown on a common control, and the control's
// clicks and changes fed back into it.
#pragma once

#include <windows.h>

#include "platform/controls.h"

namespace puffel {

// Creates the child window for control in parent with the command id, placed
// by PlaceControlWindow, and binds control's property changes to it. The
// control must outlive the window; DestroyControlWindow unhooks it.
HWND CreateControlWindow(Control& control, HWND parent, int id, int dpi);
void DestroyControlWindow(HWND window);

// Puts the control's window at its bounds with its font, both scaled by dpi / 96.
void PlaceControlWindow(HWND window, int dpi);

// The control a child window shows, or nullptr.
Control* ControlOfWindow(HWND window);

// A button's click, a check box's change or a slider's move (WM_COMMAND,
// WM_HSCROLL from window) reported to its control through DispatchEvent.
void ReportControlWindow(HWND window);

// Paints an owner-drawn glyph button: the button face, and its glyph with the
// lower-left pixel's colour transparent, scaled by dpi / 96.
void DrawGlyphButton(const DRAWITEMSTRUCT& item, int dpi);

}  // namespace puffel
