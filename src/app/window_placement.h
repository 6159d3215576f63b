// Where the windows first appear on the screen, for every binding.
#pragma once

namespace puffel {

// A rectangle in screen pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The main window's frame appears this far from the top-left corner of the
// screen's free area, where a window system puts a new window.
constexpr int MainWindowMargin = 24;
// Where the part window's frame appears when that is clear of the main window
// and on the free area.
constexpr int PartWindowLeft = 594;
constexpr int PartWindowTop = 298;

// The main window's frame of the given size on the free area.
ScreenRect MainWindowPlace(const ScreenRect& freeArea, int frameWidth, int frameHeight);

// The part window's frame of the given size: at (PartWindowLeft,
// PartWindowTop) from the free area's corner when it fits there clear of the
// main window's frame; else beside the main window's right edge, MainWindowMargin
// apart, as far as the free area allows; else below it.
ScreenRect PartWindowPlace(const ScreenRect& freeArea, const ScreenRect& mainFrame, int frameWidth,
                           int frameHeight);

// The timeline window's frame of the given size: right under the part
// window's frame, their left edges in line, when it fits on the free area;
// else right above it when that is clear of the main window; else as low as
// the free area allows.
ScreenRect TimelineWindowPlace(const ScreenRect& freeArea, const ScreenRect& mainFrame,
                               const ScreenRect& partFrame, int frameWidth, int frameHeight);

}  // namespace puffel
