// The 3D render pass: every part as a shaded, textured body (or as triangle
// outlines) over black or the background picture.
#pragma once

#include "render/fill.h"
#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel {

// Draws the scene into ViewBitmap, DepthBuffer and OwnerBuffer (DrawScene3D)
// on FillThreads() threads, copying ViewBitmap onto shown at (0, 0) band by
// band as the bands are finished; the caller then shows shown.
void RenderScene3D(Scene& scene, Bitmap& shown);

// Gives back the memory the filled pass keeps for the next one (the sides of
// the last mesh drawn); the next pass takes it again.
void ReleaseRenderMemory();

// The number of threads that fill at once: one per processor, at most four.
int FillThreads();

// The pass without showing it: draws the background or black, rebuilds
// RenderFrame, walks the parts 0..PartCount-1 in order and draws every visible
// side that faces the viewer: in OutlineMode at once as a white-edged black
// polygon, else through fill, side after side in walk order. The filled pass
// runs on up to `threads` threads, which walk lines of cells and then fill
// bands of rows, each band with its own sides in walk order. With FillTriangle
// a band that its sides cover over and over is coloured last, each pixel once
// for the side that keeps it: the same result. DepthBuffer ends up 99999999.0
// and OwnerBuffer -1 wherever no side was filled. When shown is given, the
// finished ViewBitmap is also copied onto it at (0, 0), band by band as the
// bands are finished. Throws std::bad_alloc when the filled pass cannot get its
// memory; the view and shown are then as they were, unless the memory ran out
// while the bands were filled, which takes little.
void DrawScene3D(Scene& scene, TriangleFill fill = FillTriangle, int threads = FillThreads(),
                 Bitmap* shown = nullptr);

// Adds (dx, dy, dz) to all four points of part's RenderFrame.
void TranslateRenderFrame(Scene& scene, int part, double dx, double dy, double dz);

// Copies every used PartFrame into RenderFrame and moves each by its
// AttachmentShift.
void BuildRenderFrames(Scene& scene);

}  // namespace puffel
