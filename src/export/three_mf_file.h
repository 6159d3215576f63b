// The figure's shells as a 3MF package with a colour per triangle.
#pragma once

#include <string>
#include <vector>

#include "export/print_shells.h"

namespace puffel {

// Writes shells to path (through a temporary file put in place at the end)
// as a 3MF package: a ZIP of stored entries holding the content types, the
// package relationship and the model "3D/3dmodel.model" in millimetres. The
// model has one colour group (the materials extension) of the triangles'
// distinct colours in order of first use and one object "figure", the only
// item of the build, whose mesh holds the shells one after another (their
// vertices, then their triangles, as the shells have them; numbers in the
// shortest form that reads back to the same float), each triangle taking its
// colour from the group. One object rather than one per part: a slicer that
// takes each component of a composite object for an object of its own
// leaves the raised parts floating and refuses to slice them. The model text is made twice, once
// to measure it and once to write it, so that it is never held whole.
// Throws ExportRefusal, before path is touched, when the package would reach
// 4 GiB; PlatformError when it cannot be written.
void WriteThreeMfFile(const std::vector<PrintShell>& shells, const std::string& path);

}  // namespace puffel
