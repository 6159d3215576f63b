// The sample cat assembled and posed by an event script for puffel-batch, the
// figure the export is checked on and the readme shows exported.
#pragma once

#include <string>
#include <vector>

namespace puffel::art {

// One step of the script: a name to tell it by, and its lines.
struct ScriptStage {
  std::string name;
  std::string lines;
};

// The script, run in a program folder whose "obj" holds the cat's pictures
// and whose part window has its start size (400 x 400), in stages:
// - "assembled": every part added in table order, its picture dragged by its
//   grab point to its corner and its joint marker onto its joint, in the flat
//   view (each release relinks);
// - "3d": the 3D view;
// - "head": a left trackball turn of the head, which has no children;
// - "body-right": a right trackball turn of the body, whose children keep
//   their orientation;
// - "body-left": a left trackball turn of the body and everything on it, the
//   pointer taken far beyond the grab sphere and back;
// - "scaled": both buttons held, eight pixels up;
// - "moved": a middle-button drag;
// - "scene": a drag on the background, which turns the whole scene;
// - "tilted": three wheel notches down and one up over the left arm.
// Every point of every frame stays more than a quarter of the view from its
// left and top edges, where a saved project keeps it exactly.
std::vector<ScriptStage> PosedCatScript();

}  // namespace puffel::art
