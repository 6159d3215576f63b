// The figure's shells as a binary STL file.
#pragma once

#include <string>
#include <vector>

#include "export/print_shells.h"

namespace puffel {

// Writes shells to path (through a temporary file put in place at the end)
// as binary STL: an 80-byte header, the triangle count, then per triangle
// its unit normal, its three corners (little-endian 32-bit floats, in
// millimetres) and a zero attribute word; the shells one after another.
// Throws ExportRefusal, before path is touched, when there are more triangles
// than the format counts; PlatformError when the file cannot be written.
void WriteStlFile(const std::vector<PrintShell>& shells, const std::string& path);

}  // namespace puffel
