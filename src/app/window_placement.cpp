#include "app/window_placement.h"

#include <algorithm>

namespace puffel {

namespace {

bool overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

bool inside(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

}  // namespace

ScreenRect MainWindowPlace(const ScreenRect& freeArea, int frameWidth, int frameHeight) {
  return {freeArea.left + MainWindowMargin, freeArea.top + MainWindowMargin, frameWidth,
          frameHeight};
}

ScreenRect PartWindowPlace(const ScreenRect& freeArea, const ScreenRect& mainFrame, int frameWidth,
                           int frameHeight) {
  const ScreenRect usual{freeArea.left + PartWindowLeft, freeArea.top + PartWindowTop, frameWidth,
                         frameHeight};
  if (inside(usual, freeArea) && !overlap(usual, mainFrame)) return usual;
  const int right = freeArea.left + freeArea.width;
  const int bottom = freeArea.top + freeArea.height;
  ScreenRect beside{mainFrame.left + mainFrame.width + MainWindowMargin, mainFrame.top, frameWidth,
                    frameHeight};
  beside.top = std::max(freeArea.top, std::min(beside.top, bottom - frameHeight));
  if (beside.left + frameWidth <= right) return beside;
  ScreenRect below{mainFrame.left, mainFrame.top + mainFrame.height + MainWindowMargin, frameWidth,
                   frameHeight};
  if (below.top + frameHeight <= bottom) return below;
  // No room clear of the main window: at the free area's right edge.
  beside.left = std::max(freeArea.left, right - frameWidth);
  return beside;
}

ScreenRect TimelineWindowPlace(const ScreenRect& freeArea, const ScreenRect& mainFrame,
                               const ScreenRect& partFrame, int frameWidth, int frameHeight) {
  ScreenRect below{partFrame.left, partFrame.top + partFrame.height, frameWidth, frameHeight};
  if (inside(below, freeArea)) return below;
  const ScreenRect above{partFrame.left, partFrame.top - frameHeight, frameWidth, frameHeight};
  if (inside(above, freeArea) && !overlap(above, mainFrame)) return above;
  below.top = std::max(freeArea.top, freeArea.top + freeArea.height - frameHeight);
  return below;
}

}  // namespace puffel
