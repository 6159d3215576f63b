// Reading exported GLB files back with tinygltf, and the skinning maths a
// viewer applies to them.
#pragma once

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace puffel::test {

// Column-major, as glTF stores matrices.
using Matrix4 = std::array<double, 16>;

inline tinygltf::Model ReadGlb(const std::string& path) {
  tinygltf::Model model;
  tinygltf::TinyGLTF loader;
  std::string error;
  std::string warning;
  EXPECT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, path)) << error;
  EXPECT_EQ(error, "");
  EXPECT_EQ(warning, "");
  return model;
}

// Every component of an accessor's elements in order, as the numbers they
// stand for (normalized integers scaled to 0..1).
inline std::vector<double> ReadAccessor(const tinygltf::Model& model, int index) {
  const tinygltf::Accessor& accessor = model.accessors.at(index);
  const tinygltf::BufferView& view = model.bufferViews.at(accessor.bufferView);
  const unsigned char* bytes =
      model.buffers.at(view.buffer).data.data() + view.byteOffset + accessor.byteOffset;
  const int components = tinygltf::GetNumComponentsInType(accessor.type);
  const int size = tinygltf::GetComponentSizeInBytes(accessor.componentType);
  const size_t stride = view.byteStride != 0 ? view.byteStride : size_t(components) * size;
  std::vector<double> values;
  for (size_t n = 0; n < accessor.count; ++n) {
    for (int c = 0; c < components; ++c) {
      const unsigned char* at = bytes + n * stride + c * size;
      double value = 0;
      switch (accessor.componentType) {
        case TINYGLTF_COMPONENT_TYPE_FLOAT: {
          float f;
          std::memcpy(&f, at, 4);
          value = f;
          break;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
          value = accessor.normalized ? at[0] / 255.0 : at[0];
          break;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
          uint16_t u;
          std::memcpy(&u, at, 2);
          value = accessor.normalized ? u / 65535.0 : u;
          break;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
          uint32_t u;
          std::memcpy(&u, at, 4);
          value = u;
          break;
        }
        default:
          ADD_FAILURE() << "unexpected component type " << accessor.componentType;
      }
      values.push_back(value);
    }
  }
  return values;
}

inline Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 m{};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      for (int k = 0; k < 4; ++k) m[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    }
  }
  return m;
}

// A node's local matrix T * R * S.
inline Matrix4 LocalMatrix(const tinygltf::Node& node) {
  const std::vector<double> t =
      node.translation.empty() ? std::vector<double>{0, 0, 0} : node.translation;
  const std::vector<double> q =
      node.rotation.empty() ? std::vector<double>{0, 0, 0, 1} : node.rotation;
  const std::vector<double> s = node.scale.empty() ? std::vector<double>{1, 1, 1} : node.scale;
  const double x = q[0], y = q[1], z = q[2], w = q[3];
  const double r[9] = {1 - 2 * (y * y + z * z), 2 * (x * y + z * w),     2 * (x * z - y * w),
                       2 * (x * y - z * w),     1 - 2 * (x * x + z * z), 2 * (y * z + x * w),
                       2 * (x * z + y * w),     2 * (y * z - x * w),     1 - 2 * (x * x + y * y)};
  Matrix4 m{};
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) m[column * 4 + row] = r[column * 3 + row] * s[column];
  }
  m[12] = t[0];
  m[13] = t[1];
  m[14] = t[2];
  m[15] = 1;
  return m;
}

// Every node's world matrix through its parents.
inline std::vector<Matrix4> WorldMatrices(const tinygltf::Model& model) {
  std::vector<int> parent(model.nodes.size(), -1);
  for (size_t n = 0; n < model.nodes.size(); ++n) {
    for (const int child : model.nodes[n].children) parent.at(child) = static_cast<int>(n);
  }
  std::vector<Matrix4> world(model.nodes.size());
  for (size_t n = 0; n < model.nodes.size(); ++n) {
    world[n] = LocalMatrix(model.nodes[n]);
    for (int p = parent[n]; p >= 0; p = parent[p]) {
      world[n] = Multiply(LocalMatrix(model.nodes[p]), world[n]);
    }
  }
  return world;
}

inline std::array<double, 3> Transform(const Matrix4& m, const double* p) {
  return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12],
          m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
          m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

}  // namespace puffel::test
