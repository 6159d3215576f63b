// The STL and 3MF files of a posed figure hold exactly its shells: the STL's
// triangles in order, the 3MF as lib3mf reads it back with the triangles'
// colours. (admesh checks the STL's normals: posed_cat_test.cpp.)
#include <gtest/gtest.h>

#include <Model/COM/NMR_DLLInterfaces.h>

#include <cstring>

#include "export/closed_shells.h"
#include "export/crc32.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "export/stored_zip.h"
#include "platform/paths.h"

namespace puffel {
namespace {

using namespace NMR;

// The triangles of a 3MF file's mesh objects as lib3mf reads them, and their
// colours (0x00RRGGBB, one per triangle: the same at all three corners).
void readThreeMf(const std::string& path, std::vector<test::Corners>& triangles,
                 std::vector<uint32_t>& colours) {
  PLib3MFModel* model = nullptr;
  PLib3MFModelReader* reader = nullptr;
  PLib3MFModelResourceIterator* objects = nullptr;
  ASSERT_EQ(lib3mf_createmodel(&model), 0);
  ASSERT_EQ(lib3mf_model_queryreader(model, "3mf", &reader), 0);
  ASSERT_EQ(lib3mf_reader_readfromfileutf8(reader, path.c_str()), 0);
  ASSERT_EQ(lib3mf_model_getmeshobjects(model, &objects), 0);
  BOOL more = false;
  while (lib3mf_resourceiterator_movenext(objects, &more) == 0 && more) {
    PLib3MFModelResource* object = nullptr;
    PLib3MFPropertyHandler* properties = nullptr;
    DWORD vertexCount = 0;
    DWORD triangleCount = 0;
    lib3mf_resourceiterator_getcurrent(objects, &object);
    lib3mf_meshobject_getvertexcount(object, &vertexCount);
    lib3mf_meshobject_gettrianglecount(object, &triangleCount);
    std::vector<MODELMESHVERTEX> vertices(vertexCount);
    std::vector<MODELMESHTRIANGLE> corners(triangleCount);
    std::vector<MODELMESH_TRIANGLECOLOR_SRGB> rgb(triangleCount);
    lib3mf_meshobject_getvertices(object, vertices.data(), vertexCount, nullptr);
    lib3mf_meshobject_gettriangleindices(object, corners.data(), triangleCount, nullptr);
    lib3mf_meshobject_createpropertyhandler(object, &properties);
    EXPECT_EQ(lib3mf_propertyhandler_getcolorarray(properties, rgb.data()), 0);
    for (DWORD t = 0; t < triangleCount; ++t) {
      test::Corners& triangle = triangles.emplace_back();
      for (int c = 0; c < 3; ++c) {
        std::memcpy(triangle[c].data(), vertices[corners[t].m_nIndices[c]].m_fPosition, 12);
      }
      const MODELMESHCOLOR_SRGB* corner = rgb[t].m_Colors;
      EXPECT_EQ(std::memcmp(&corner[0], &corner[2], sizeof *corner), 0);
      colours.push_back(uint32_t{corner->m_Red} << 16 | uint32_t{corner->m_Green} << 8 |
                        corner->m_Blue);
    }
    lib3mf_release(properties);
    lib3mf_release(object);
  }
  lib3mf_release(objects);
  lib3mf_release(reader);
  lib3mf_release(model);
}

TEST(PrintFiles, StlAndThreeMfHoldTheShells) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  const Scene& scene = program->scene();
  const std::vector<PrintShell> shells = PrintShells(scene, BuildFigureModel(scene), 42);
  std::vector<test::Corners> corners;
  std::vector<uint32_t> colours;
  for (const PrintShell& shell : shells) {
    const std::vector<test::Corners> more = test::ShellTriangles(shell);
    corners.insert(corners.end(), more.begin(), more.end());
    for (const PrintTriangle& t : shell.triangles) colours.push_back(t.colour);
  }
  const std::string folder = program->folder() / "pic_hozon/";
  ExportFigure(scene, folder + "figure.STL", 42);
  ExportFigure(scene, folder + "figure.3Mf", 42);

  const std::string stl = ReadFileBytes(folder + "figure.STL");
  EXPECT_NE(stl.substr(0, 5), "solid");
  uint32_t count = 0;
  std::memcpy(&count, stl.data() + 80, 4);
  EXPECT_EQ(count, corners.size());
  EXPECT_EQ(test::StlTriangles(stl), corners);

  std::vector<test::Corners> read;
  std::vector<uint32_t> readColours;
  readThreeMf(folder + "figure.3Mf", read, readColours);
  EXPECT_EQ(read, corners);
  EXPECT_EQ(readColours, colours);
}

// The check value of the CRC that ZIP uses.
TEST(PrintFiles, Crc32OfTheCheckString) { EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u); }

}  // namespace
}  // namespace puffel
