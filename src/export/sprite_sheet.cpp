#include "export/sprite_sheet.h"

#include <algorithm>
#include <cstdint>
#include <numbers>

#include "anim/key_poses.h"
#include "anim/playback_rate.h"
#include "export/animation_gif.h"
#include "export/export_refusal.h"
#include "interact/pose_geometry.h"
#include "platform/bmp_file.h"
#include "render/render_scene.h"

namespace puffel {

namespace {

constexpr const char* NothingShownMessage = "画面にパーツが映っていません！";
constexpr const char* TooLargeMessage = "スプライトシートが大きすぎます！";

constexpr uint32_t Opaque = 0xFF000000;

// One drawn frame, cut to the parts it shows.
struct Cut {
  SheetRect box;                 // in the view; 0 x 0 when no part is drawn
  std::vector<uint32_t> pixels;  // box.width x box.height, 0xAARRGGBB
};

// The smallest rectangle of the first width x height pixels of the view that
// holds every pixel a part was drawn on.
SheetRect drawnBox(const Scene& scene, int width, int height) {
  int left = width, right = -1, top = -1, bottom = -1;
  for (int y = 0; y < height; ++y) {
    const int32_t* owner = scene.OwnerBuffer.Row(y);
    int first = 0;
    while (first < width && owner[first] < 0) ++first;
    if (first == width) continue;
    int last = width - 1;
    while (owner[last] < 0) --last;
    left = std::min(left, first);
    right = std::max(right, last);
    if (top < 0) top = y;
    bottom = y;
  }
  if (right < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

// The view as the last pass left it, cut to its drawn box: the view's pixel,
// opaque, where the pass drew a part (OwnerBuffer keeps its index there), and
// 0 elsewhere.
Cut cutFrame(const Scene& scene) {
  const int width = std::min(scene.ViewBitmap.Width(), scene.OwnerBuffer.Width());
  const int height = std::min(scene.ViewBitmap.Height(), scene.OwnerBuffer.Height());
  Cut cut{drawnBox(scene, width, height), {}};
  const SheetRect& box = cut.box;
  cut.pixels.resize(static_cast<size_t>(box.width) * box.height);
  uint32_t* out = cut.pixels.data();
  for (int y = box.y; y < box.y + box.height; ++y) {
    const int32_t* owner = scene.OwnerBuffer.Row(y);
    const uint32_t* view = scene.ViewBitmap.Row(y);
    for (int x = box.x; x < box.x + box.width; ++x) {
      *out++ = owner[x] >= 0 ? Opaque | (view[x] & 0xFFFFFF) : 0;
    }
  }
  return cut;
}

// The smallest rectangle that holds a and b (either may be empty).
SheetRect unite(const SheetRect& a, const SheetRect& b) {
  if (a.width == 0) return b;
  if (b.width == 0) return a;
  const int left = std::min(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.width, b.x + b.width);
  const int bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

// Puts the poses and the drawing mode back however the frames end.
class PoseKeeper {
 public:
  explicit PoseKeeper(Scene& scene)
      : scene_(scene), posed_(scene.PartFrame), outlines_(scene.OutlineMode) {}
  ~PoseKeeper() {
    scene_.PartFrame = posed_;
    scene_.OutlineMode = outlines_;
  }
  const std::array<Frame, MaxParts>& Posed() const { return posed_; }

 private:
  Scene& scene_;
  const std::array<Frame, MaxParts> posed_;
  const bool outlines_;
};

// The durations of the frames of one loop, in milliseconds; one playback
// frame's for the still pose without keys.
std::vector<int> loopDurations(const Scene& scene) {
  if (scene.AnimationKeys.empty()) return {FrameTicks(0, 1, 1.0 / PlaybackRate, 1000)};
  const int frames = LoopFrames(scene);
  std::vector<int> durations(frames);
  for (int f = 0; f < frames; ++f) durations[f] = FrameTicks(f, frames, LoopSeconds(scene), 1000);
  return durations;
}

}  // namespace

void TurnFigure(Scene& scene, int direction, int directions) {
  if (direction == 0) return;
  const double angle = 2 * std::numbers::pi * direction / directions;
  const Point3 centre{scene.ViewWidth * 0.5, scene.ViewHeight * 0.5, 0};
  for (int k = 0; k < scene.PartCount; ++k) {
    for (Point3* point : FramePoints(scene.PartFrame[k])) {
      *point = RotateAboutAxis(*point, centre, {0, 1, 0}, angle);
    }
  }
}

SpriteSheet RenderSpriteSheet(Scene& scene, int directions) {
  SpriteSheet sheet;
  sheet.directions = directions;
  sheet.durations = loopDurations(scene);
  sheet.viewWidth = scene.ViewWidth;
  sheet.viewHeight = scene.ViewHeight;
  const int frames = sheet.Frames();
  std::vector<Cut> cuts;
  cuts.reserve(static_cast<size_t>(directions) * frames);
  {
    const PoseKeeper keeper(scene);
    scene.OutlineMode = false;
    int64_t cutPixels = 0;
    for (int d = 0; d < directions; ++d) {
      for (int f = 0; f < frames; ++f) {
        if (scene.AnimationKeys.empty()) {
          scene.PartFrame = keeper.Posed();
        } else {
          PoseScene(scene, PoseAtTime(scene.AnimationKeys, LoopSeconds(scene),
                                      static_cast<double>(f) / PlaybackRate));
        }
        TurnFigure(scene, d, directions);
        DrawScene3D(scene);
        cuts.push_back(cutFrame(scene));
        sheet.trim = unite(sheet.trim, cuts.back().box);
        // The sheet holds at least every cut's pixels.
        cutPixels += static_cast<int64_t>(cuts.back().pixels.size());
        if (cutPixels > kMaxBitmapPixels) throw ExportRefusal(TooLargeMessage);
      }
    }
  }
  const SheetRect& trim = sheet.trim;
  if (trim.width == 0) throw ExportRefusal(NothingShownMessage);
  const int64_t width = (int64_t{trim.width} + SheetGap) * frames - SheetGap;
  const int64_t height = (int64_t{trim.height} + SheetGap) * directions - SheetGap;
  if (width * height > kMaxBitmapPixels) throw ExportRefusal(TooLargeMessage);
  sheet.picture = Bitmap(static_cast<int>(width), static_cast<int>(height));
  for (size_t n = 0; n < cuts.size(); ++n) {
    const Cut& cut = cuts[n];
    const SheetRect cell =
        FrameRect(sheet, static_cast<int>(n) / frames, static_cast<int>(n) % frames);
    const int left = cell.x + cut.box.x - trim.x;
    const int top = cell.y + cut.box.y - trim.y;
    for (int y = 0; y < cut.box.height; ++y) {
      std::copy_n(cut.pixels.data() + static_cast<size_t>(y) * cut.box.width, cut.box.width,
                  sheet.picture.Row(top + y) + left);
    }
  }
  return sheet;
}

SheetRect FrameRect(const SpriteSheet& sheet, int direction, int frame) {
  const SheetRect& trim = sheet.trim;
  return {frame * (trim.width + SheetGap), direction * (trim.height + SheetGap), trim.width,
          trim.height};
}

Bitmap SheetFrame(const SpriteSheet& sheet, int direction, int frame) {
  const SheetRect cell = FrameRect(sheet, direction, frame);
  Bitmap picture(cell.width, cell.height);
  for (int y = 0; y < cell.height; ++y) {
    std::copy_n(sheet.picture.Row(cell.y + y) + cell.x, cell.width, picture.Row(y));
  }
  return picture;
}

}  // namespace puffel
