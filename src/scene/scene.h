// The scene: every table the two windows share, indexed by part slot, and the
// small operations on them that several subsystems use.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "platform/bitmap.h"
#include "scene/geometry.h"
#include "scene/key_pose.h"
#include "scene/tables.h"

namespace puffel {

constexpr int MaxParts = 32;
constexpr int LinkSize = MaxParts + 1;  // skeleton matrices: 0 is the root, p + 1 is part p
constexpr double EmptyDepth = 99999999.0;

// The frame with unit axes along view x, y and z at pivot (x, y).
Frame ResetFrame(double x, double y);

using LinkMatrix = std::array<std::array<uint8_t, LinkSize>, LinkSize>;
using PartFileNameSlot = std::array<char, 256>;

// The groups of the scene's state that the history keeps whole: a field added
// to one of them is kept, compared and restored with it. Fields() lists them
// for the bit-for-bit comparison, which checks that it lists every byte but
// the padding (ordered to take less than the widest field).

// The parts' count, poses and places, and the skeleton.
struct PartLayout {
  std::array<Frame, MaxParts> PartFrame{};
  std::array<double, MaxParts> PartPosX{};
  std::array<double, MaxParts> PartPosY{};
  std::array<double, MaxParts> PartOffsetX{};
  std::array<double, MaxParts> PartOffsetY{};
  int PartCount = 0;  // slots 0..PartCount-1 are in use, the rest are stale
  LinkMatrix ParentMatrix{};
  LinkMatrix AncestorMatrix{};

  auto Fields() const {
    return std::tie(PartFrame, PartPosX, PartPosY, PartOffsetX, PartOffsetY, PartCount,
                    ParentMatrix, AncestorMatrix);
  }
};

// The choices of how far a soft joint's bend reaches: "狭い", "普通", "広い".
constexpr int JointReachChoices = 3;
constexpr int DefaultJointReach = 2;

// The switches a person sets: the view and drawing modes, the key interval,
// the animation loop's length and the soft joints.
struct SceneModes {
  double KeyInterval = 1;                  // seconds between new animation keys
  double LoopLength = 0;                   // seconds the animation's loop takes; 0 without keys
  int32_t JointReach = DefaultJointReach;  // 1..JointReachChoices
  bool View3D = false;
  bool OutlineMode = false;
  bool SoftJoints = false;  // parts bend where they hang

  auto Fields() const {
    return std::tie(KeyInterval, LoopLength, JointReach, View3D, OutlineMode, SoftJoints);
  }
};

// The light and the material: the pickers' marks and what is derived from them.
struct LightAndMaterial {
  double LightDirX = 0, LightDirY = 0, LightDirZ = 0;
  double DiffuseSharpness = 0;
  double DiffuseGain = 0;
  double SpecularSharpness = 0;
  double SpecularGain = 0;
  double FadeStart = 0;
  int32_t LightMarkX = 0, LightMarkY = 0;
  int32_t ColorMarkX = 0, ColorMarkY = 0;
  int32_t DiffuseMarkX = 0, DiffuseMarkY = 0;
  int32_t SpecularMarkX = 0, SpecularMarkY = 0;
  int32_t FadeMarkX = 0, FadeMarkY = 0;
  int32_t LightRed = 0, LightGreen = 0, LightBlue = 0;
  int32_t FadeRange = 0;
  bool LightBehind = false;

  auto Fields() const {
    return std::tie(LightDirX, LightDirY, LightDirZ, DiffuseSharpness, DiffuseGain,
                    SpecularSharpness, SpecularGain, FadeStart, LightMarkX, LightMarkY, ColorMarkX,
                    ColorMarkY, DiffuseMarkX, DiffuseMarkY, SpecularMarkX, SpecularMarkY, FadeMarkX,
                    FadeMarkY, LightRed, LightGreen, LightBlue, FadeRange, LightBehind);
  }
};

// Every table the windows share. The history keeps the groups it derives from
// whole, and the pictures, meshes, view size, background and keys on its own.
struct Scene : PartLayout, SceneModes, LightAndMaterial {
  std::array<Bitmap, MaxParts> PartPicture;
  std::array<Bitmap, MaxParts> PartBackPicture;
  std::array<Bitmap, MaxParts> PartCutout;
  std::array<Bitmap, MaxParts> PartMask;
  std::array<PartFileNameSlot, MaxParts> PartFileName{};
  std::array<int32_t, MaxParts> GridColumns{};
  std::array<int32_t, MaxParts> GridRows{};
  std::array<Frame, MaxParts> SavedFrame{};
  std::array<Frame, MaxParts> RenderFrame{};

  // The mesh: [part][i][j], i along picture x, j along picture y.
  int32_t MaxGridColumns = 0;
  int32_t MaxGridRows = 0;
  Table3D<double> GridState;  // 0 outside, 1 rim, 2 inside
  Table3D<double> FrontX, FrontY, FrontZ;
  Table3D<double> BackX, BackY, BackZ;
  Table3D<double> TexU, TexV;

  // The skeleton's scratch table.
  LinkMatrix ClosureScratch{};

  // The view.
  int32_t ViewWidth = 0;
  int32_t ViewHeight = 0;
  int32_t PrevViewWidth = 0;
  int32_t PrevViewHeight = 0;
  double ViewShiftX = 0;
  double ViewShiftY = 0;
  Bitmap ViewBitmap;
  ViewBuffer<double> DepthBuffer;
  ViewBuffer<int32_t> OwnerBuffer;
  Bitmap BackgroundBitmap;
  std::string BackgroundName;
  int DrawOrder = 1;

  // Pointer state of the part window.
  int32_t Selection = 0;
  int32_t CurrentPart = 0;
  int32_t HoverPart = 0;
  int32_t LastMouseX = 0;
  int32_t LastMouseY = 0;
  double GrabRadius = 0;
  Point3 GrabVector;
  bool GrabBehind = false;
  Point3 DragVector;

  // The pickers.
  Bitmap LightPickerBitmap;
  Bitmap MaterialPickerBitmap;
  bool PickerPressed = false;
  bool PickerLeft = false;
  bool PickerRight = false;
  bool PickerDoubleClick = false;

  // The animation: key poses at increasing times from 0, played in a loop of
  // LoopLength seconds; the key the timeline has picked, -1 for none; whether
  // the 3D view shows the selected key's neighbours behind the figure.
  std::vector<KeyPose> AnimationKeys;
  int SelectedKey = -1;
  bool OnionSkin = false;

  // Other state.
  Bitmap PictureLoadBuffer;
  std::string ExportFileName;
  uint32_t BackgroundColour = 0;  // canvas colour of the last built picture's pixel (0, 0)
  uint64_t LoadedProjects = 0;    // projects loaded so far: each replaced the whole scene
};

// Every used part's frame back to unit axes at its pivot.
void ResetPoses(Scene& scene);

// Moves all four points of frame by (dx, dy, dz).
void TranslateFrame(Frame& frame, double dx, double dy, double dz);

// Moves all four points of part k's frame by (dx, dy, dz).
void TranslatePartFrame(Scene& scene, int k, double dx, double dy, double dz);

// Records a new view size: the previous size, ViewBitmap and both buffers
// re-dimensioned, and every used part's frame, pivot and picture corner moved by
// half the size change (ViewShiftX, ViewShiftY), so the scene stays centred.
// Out of memory, it throws std::bad_alloc and leaves all of that as it was.
void ResizeView(Scene& scene, int width, int height);

// Rebuilds ParentMatrix and AncestorMatrix for parts 0..PartCount-1 from their
// pivots and silhouettes: a part hangs from the highest lower part whose
// silhouette lies under its pivot, or from the root.
void Relink(Scene& scene);

// One step of the ancestor closure over rows and columns 0..PartCount.
void CloseAncestors(Scene& scene);

// Re-dimensions the nine mesh tables to parts x MaxGridColumns x MaxGridRows,
// keeping the cells that exist before and after and zero-filling new ones.
// Throws std::bad_alloc and then leaves all nine as they were.
void RedimMeshTables(Scene& scene, int parts);

// The joint part k hangs from: the lowest part linked as its parent, or -1
// for a root (a link to a part that is not lower is taken as none).
int JointParent(const Scene& scene, int k);

// The path held in a PartFileName slot (up to its first zero byte).
std::string PartFilePath(const Scene& scene, int k);

}  // namespace puffel
