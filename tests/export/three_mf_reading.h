// A 3MF package read back by lib3mf: the vertices, triangles and triangle
// colours of its mesh objects, one after another.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <Model/COM/NMR_DLLInterfaces.h>

namespace puffel::test {

struct ThreeMfMesh {
  size_t objects = 0;
  std::vector<std::array<float, 3>> vertices;
  std::vector<std::array<uint32_t, 3>> triangles;  // into vertices
  std::vector<uint32_t> colours;                   // per triangle, 0x00RRGGBB
};

inline ThreeMfMesh ReadThreeMf(const std::string& path) {
  using namespace NMR;
  ThreeMfMesh mesh;
  PLib3MFModel* model = nullptr;
  PLib3MFModelReader* reader = nullptr;
  PLib3MFModelResourceIterator* objects = nullptr;
  EXPECT_EQ(lib3mf_createmodel(&model), 0);
  EXPECT_EQ(lib3mf_model_queryreader(model, "3mf", &reader), 0);
  EXPECT_EQ(lib3mf_reader_readfromfileutf8(reader, path.c_str()), 0) << path;
  EXPECT_EQ(lib3mf_model_getmeshobjects(model, &objects), 0);
  BOOL more = false;
  while (objects && lib3mf_resourceiterator_movenext(objects, &more) == 0 && more) {
    PLib3MFModelResource* object = nullptr;
    lib3mf_resourceiterator_getcurrent(objects, &object);
    DWORD vertexCount = 0;
    DWORD triangleCount = 0;
    lib3mf_meshobject_getvertexcount(object, &vertexCount);
    lib3mf_meshobject_gettrianglecount(object, &triangleCount);
    std::vector<MODELMESHVERTEX> vertices(vertexCount);
    std::vector<MODELMESHTRIANGLE> triangles(triangleCount);
    std::vector<MODELMESH_TRIANGLECOLOR_SRGB> colours(triangleCount);
    lib3mf_meshobject_getvertices(object, vertices.data(), vertexCount, nullptr);
    lib3mf_meshobject_gettriangleindices(object, triangles.data(), triangleCount, nullptr);
    PLib3MFPropertyHandler* properties = nullptr;
    lib3mf_meshobject_createpropertyhandler(object, &properties);
    EXPECT_EQ(lib3mf_propertyhandler_getcolorarray(properties, colours.data()), 0);
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    for (const MODELMESHVERTEX& v : vertices) {
      mesh.vertices.push_back({v.m_fPosition[0], v.m_fPosition[1], v.m_fPosition[2]});
    }
    for (DWORD t = 0; t < triangleCount; ++t) {
      const DWORD* i = triangles[t].m_nIndices;
      mesh.triangles.push_back({first + i[0], first + i[1], first + i[2]});
      // A triangle of one colour has it at all three corners.
      const MODELMESHCOLOR_SRGB& c = colours[t].m_Colors[0];
      EXPECT_EQ(std::memcmp(&c, &colours[t].m_Colors[2], sizeof c), 0);
      mesh.colours.push_back(uint32_t{c.m_Red} << 16 | uint32_t{c.m_Green} << 8 | c.m_Blue);
    }
    lib3mf_release(properties);
    lib3mf_release(object);
    ++mesh.objects;
  }
  lib3mf_release(objects);
  lib3mf_release(reader);
  lib3mf_release(model);
  return mesh;
}

}  // namespace puffel::test
