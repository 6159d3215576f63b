// The STL and 3MF files of a posed figure hold exactly its shells: the STL's
// triangles in order with their outward normals, the 3MF as lib3mf reads it
// back with the triangles' colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "export/closed_shells.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "export/stored_zip.h"
#include "export/three_mf_reading.h"
#include "platform/paths.h"

namespace puffel {
namespace {

// The shells concatenated, as both files hold them.
std::vector<test::Corners> figureCorners(const std::vector<PrintShell>& shells) {
  std::vector<test::Corners> corners;
  for (const PrintShell& shell : shells) {
    for (const PrintTriangle& t : shell.triangles) {
      corners.push_back({shell.vertices[t.corners[0]], shell.vertices[t.corners[1]],
                         shell.vertices[t.corners[2]]});
    }
  }
  return corners;
}

TEST(PrintFiles, StlAndThreeMfHoldTheShells) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  const Scene& scene = program->scene();
  const std::vector<PrintShell> shells = PrintShells(scene, BuildFigureModel(scene), 42);
  const std::vector<test::Corners> corners = figureCorners(shells);
  const std::string folder = program->folder() / "pic_hozon/";
  ExportFigure(scene, folder + "figure.STL", 42);
  ExportFigure(scene, folder + "figure.3Mf", 42);

  const std::string stl = ReadFileBytes(folder + "figure.STL");
  ASSERT_EQ(stl.size(), 84 + 50 * corners.size());
  EXPECT_NE(stl.substr(0, 5), "solid");
  uint32_t count = 0;
  std::memcpy(&count, stl.data() + 80, 4);
  EXPECT_EQ(count, corners.size());
  for (size_t n = 0; n < corners.size(); ++n) {
    float values[12];
    std::memcpy(values, stl.data() + 84 + 50 * n, sizeof values);
    test::Corners read;
    std::memcpy(read.data(), values + 3, sizeof read);
    ASSERT_EQ(read, corners[n]) << n;
    const double e[3] = {read[1][0] - read[0][0], read[1][1] - read[0][1], read[1][2] - read[0][2]};
    const double f[3] = {read[2][0] - read[0][0], read[2][1] - read[0][1], read[2][2] - read[0][2]};
    const double normal[3] = {e[1] * f[2] - e[2] * f[1], e[2] * f[0] - e[0] * f[2],
                              e[0] * f[1] - e[1] * f[0]};
    const double along = normal[0] * values[0] + normal[1] * values[1] + normal[2] * values[2];
    EXPECT_GT(along, 0.999 * std::hypot(normal[0], normal[1], normal[2])) << n;
  }
  EXPECT_EQ(test::ClosedShellsFault(corners), "");

  const test::ThreeMfMesh mesh = test::ReadThreeMf(folder + "figure.3Mf");
  ASSERT_EQ(mesh.objects, 1u);
  ASSERT_EQ(mesh.triangles.size(), corners.size());
  size_t n = 0;
  for (const PrintShell& shell : shells) {
    for (const PrintTriangle& t : shell.triangles) {
      test::Corners read;
      for (int c = 0; c < 3; ++c) read[c] = mesh.vertices[mesh.triangles[n][c]];
      ASSERT_EQ(read, corners[n]) << n;
      EXPECT_EQ(mesh.colours[n], t.colour) << n;
      ++n;
    }
  }
}

// The check value of the CRC that ZIP uses.
TEST(PrintFiles, Crc32OfTheCheckString) { EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u); }

}  // namespace
}  // namespace puffel
