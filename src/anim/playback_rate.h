// The pace the animation is played and exported at, and what a person is told
// when it has nothing to play.
#pragma once

namespace puffel {

// Frames a second of playback.
constexpr int PlaybackRate = 30;

// What a person is told when there is no key to play or export.
constexpr const char* NoKeysMessage = "キーフレームがありません！";

}  // namespace puffel
