// The animation as an animated GIF: the 3D view played over one loop.
#pragma once

#include <string>

#include "anim/playback_rate.h"
#include "scene/scene.h"

namespace puffel {

// The frames of one loop of the animation, played as the 3D view plays it:
// one every 1/PlaybackRate seconds,
// as many as start before the loop ends.
int LoopFrames(const Scene& scene);

// The seconds one loop of the animation of scene takes.
double LoopSeconds(const Scene& scene);

// How long frame f of frames of a loop of loopSeconds is shown, in ticks of
// 1/ticksPerSecond seconds: the frames start on the tick nearest their time,
// so that the loop takes exactly its time.
int FrameTicks(int f, int frames, double loopSeconds, int ticksPerSecond);

// FrameTicks in hundredths of a second, as GIF frames count their delays.
int FrameDelay(int f, int frames, double loopSeconds);

// The GIF file of the animation of scene: its 3D view at the view's size,
// posed by the keys at each frame's time, looping forever. Draws into the
// view's picture and buffers and leaves them with the last frame; every part's
// frame is as it was. Throws ExportRefusal without keys.
std::string AnimationGif(Scene& scene);

}  // namespace puffel
