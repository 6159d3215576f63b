// Edits of the animation's keys that keep them in order: the first key at 0,
// the times strictly increasing, the loop ending after the last key.
#pragma once

#include "scene/scene.h"

namespace puffel {

// Adds key (its joints taken, time and easing set here) at the loop's end,
// and the loop then ends one KeyInterval past it; the first key goes at 0.
// Selects it.
void AppendKey(Scene& scene, KeyPose key);

// Adds key after key `after`, halfway to the next one and with the easing of
// the one it follows; after the last key, or with after -1, as AppendKey.
// Selects it.
void InsertKey(Scene& scene, int after, KeyPose key);

// Removes key k: the rest keep their times, but that a first key removed
// makes the next one the first, at 0, everything moving as much earlier, and
// a last key removed ends the loop as long after the new last one. Nothing
// stays selected.
void DeleteKey(Scene& scene, int k);

// Every key gone, and the loop.
void ClearKeys(Scene& scene);

// Gives key k the time seconds, strictly between its neighbours' (the first
// key stays at 0); the last key takes the loop's end along, as long after it.
// False, and nothing changed, for any other time.
bool RetimeKey(Scene& scene, int k, double seconds);

// Ends the loop at seconds, after the last key. False, and nothing changed,
// without keys or for a time not after the last key.
bool SetLoopLength(Scene& scene, double seconds);

}  // namespace puffel
