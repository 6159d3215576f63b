#include "export/stl_file.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "export/export_refusal.h"
#include "platform/file_set.h"

namespace puffel {

namespace {

static_assert(std::endian::native == std::endian::little, "STL numbers are little-endian");

constexpr const char* TooLargeMessage = "三角形が多すぎて書き出せません！";

// Not starting with "solid", so that no reader takes the file for text.
constexpr char Header[81] = "Puffel figure: binary STL, millimetres, z up";

char* put(char* at, const void* bytes, size_t count) {
  std::memcpy(at, bytes, count);
  return at + count;
}

// The unit normal of the triangle as its float corners give it; 0 when it
// has no area at float precision.
std::array<float, 3> normalOf(const std::array<std::array<float, 3>, 3>& p) {
  const double e[3] = {double{p[1][0]} - p[0][0], double{p[1][1]} - p[0][1],
                       double{p[1][2]} - p[0][2]};
  const double f[3] = {double{p[2][0]} - p[0][0], double{p[2][1]} - p[0][1],
                       double{p[2][2]} - p[0][2]};
  const double n[3] = {e[1] * f[2] - e[2] * f[1], e[2] * f[0] - e[0] * f[2],
                       e[0] * f[1] - e[1] * f[0]};
  const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (!(length > 0)) return {0, 0, 0};
  return {static_cast<float>(n[0] / length), static_cast<float>(n[1] / length),
          static_cast<float>(n[2] / length)};
}

}  // namespace

void WriteStlFile(const std::vector<PrintShell>& shells, const std::string& path) {
  uint64_t count = 0;
  for (const PrintShell& shell : shells) count += shell.triangles.size();
  if (count > std::numeric_limits<uint32_t>::max()) throw ExportRefusal(TooLargeMessage);
  FileSet files;
  FileWriter& file = files.Add(path);
  std::string bytes(80, ' ');
  std::memcpy(bytes.data(), Header, std::strlen(Header));
  const uint32_t count32 = static_cast<uint32_t>(count);
  bytes.append(reinterpret_cast<const char*>(&count32), 4);
  for (const PrintShell& shell : shells) {
    bytes.resize(bytes.size() + 50 * shell.triangles.size());
    char* at = bytes.data() + bytes.size() - 50 * shell.triangles.size();
    for (const PrintTriangle& triangle : shell.triangles) {
      const std::array<std::array<float, 3>, 3> corners = {shell.vertices[triangle.corners[0]],
                                                           shell.vertices[triangle.corners[1]],
                                                           shell.vertices[triangle.corners[2]]};
      const std::array<float, 3> normal = normalOf(corners);
      at = put(at, normal.data(), 12);
      for (const auto& corner : corners) at = put(at, corner.data(), 12);
      at = put(at, "\0\0", 2);
    }
    file.Write(bytes.data(), bytes.size());
    bytes.clear();
  }
  files.Commit();
}

}  // namespace puffel
