// The timeline's ruler: where along it a time lies, which time a point of it
// stands for, and which key's mark a click there picks.
#pragma once

#include <vector>

#include "scene/key_pose.h"

namespace puffel {

// The loop's time from 0 to seconds laid along the pixels from left to right.
struct TimelineRuler {
  int left = 0;
  int right = 0;
  double seconds = 0;  // 0 without keys: everything lies at left
};

// The column of time on the ruler, to the nearest pixel; times outside the
// loop lie at its ends.
int XOfTime(const TimelineRuler& ruler, double time);

// The time column x stands for, held to the loop: a drag past the ruler's
// ends stays at them.
double TimeAtX(const TimelineRuler& ruler, int x);

// The key whose mark is nearest to column x, no farther than reach pixels
// (the earlier key of two as near), or -1 for none.
int KeyNearX(const std::vector<KeyPose>& keys, const TimelineRuler& ruler, int x, int reach);

}  // namespace puffel
