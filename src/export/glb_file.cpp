#include "export/glb_file.h"

#include <tiny_gltf.h>

#include <cstring>
#include <limits>
#include <ostream>
#include <streambuf>

#include "export/export_refusal.h"
#include "export/model_space.h"
#include "export/png_encode.h"

namespace puffel {

namespace {

constexpr const char* TooLargeMessage = "大きすぎて書き出せません！";

// Room kept in a GLB file's 32-bit length for its headers and JSON.
constexpr size_t JsonAllowance = size_t{64} << 20;

// Appends what is written to a string that the caller has reserved.
class StringSink : public std::streambuf {
 public:
  explicit StringSink(std::string& out) : out_(out) {}

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) out_.push_back(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    out_.append(s, static_cast<size_t>(n));
    return n;
  }

 private:
  std::string& out_;
};

size_t aligned(size_t size) { return (size + 3) / 4 * 4; }

bool shortIndices(const FigurePart& part) {
  return part.vertices.size() <= std::numeric_limits<uint16_t>::max();
}

// The bytes of the binary chunk, exactly.
size_t binarySize(const FigureModel& model, const std::vector<std::string>& pngs) {
  size_t size = aligned(model.parts.size() * 64);
  for (const FigurePart& part : model.parts) {
    if (part.vertices.empty()) continue;
    const size_t vertices = part.vertices.size();
    size += aligned(vertices * 8) + 2 * aligned(vertices * 4);
    for (const FigureSurface& surface : part.surfaces) {
      size += 2 * aligned(vertices * 12) +
              aligned(surface.triangles.size() * 3 * (shortIndices(part) ? 2 : 4));
    }
  }
  for (const std::string& png : pngs) size += aligned(png.size());
  return size;
}

// Builds the glTF document and its one buffer.
class GlbBuilder {
 public:
  GlbBuilder(const Scene& scene, const FigureModel& model) : scene_(scene), model_(model) {
    gltf_.asset.version = "2.0";
    gltf_.asset.generator = "Puffel";
    gltf_.buffers.emplace_back();
  }

  std::string Encode() {
    std::vector<std::string> pngs;
    for (const Bitmap* picture : model_.pictures) pngs.push_back(EncodePng(*picture));
    const size_t size = binarySize(model_, pngs);
    if (size > std::numeric_limits<uint32_t>::max() - JsonAllowance) {
      throw ExportRefusal(TooLargeMessage);
    }
    data().reserve(size);

    addSkeleton();
    addTextures(pngs);
    pngs.clear();
    addMesh();
    gltf_.defaultScene = 0;

    std::string glb;
    glb.reserve(size + JsonAllowance / 64);
    StringSink sink(glb);
    std::ostream out(&sink);
    tinygltf::TinyGLTF writer;
    writer.WriteGltfSceneToStream(&gltf_, out, false, true);
    return glb;
  }

 private:
  std::vector<unsigned char>& data() { return gltf_.buffers[0].data; }

  // Appends a buffer view of size bytes, filled by fill(bytes), 4-byte aligned.
  template <class Fill>
  int addView(size_t size, int target, const Fill& fill) {
    std::vector<unsigned char>& bytes = data();
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = bytes.size();
    view.byteLength = size;
    view.target = target;
    bytes.resize(bytes.size() + aligned(size));
    fill(bytes.data() + view.byteOffset);
    gltf_.bufferViews.push_back(view);
    return static_cast<int>(gltf_.bufferViews.size() - 1);
  }

  int addAccessor(int view, int componentType, int type, size_t count, bool normalized = false) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    accessor.normalized = normalized;
    gltf_.accessors.push_back(accessor);
    return static_cast<int>(gltf_.accessors.size() - 1);
  }

  static unsigned char* put(unsigned char* out, float value) {
    std::memcpy(out, &value, sizeof value);
    return out + sizeof value;
  }

  void addSkeleton() {
    const int count = static_cast<int>(model_.parts.size());
    tinygltf::Node skeleton;
    skeleton.name = "skeleton";
    for (const FigurePart& part : model_.parts) {
      tinygltf::Node joint;
      joint.name = part.name;
      const JointPose pose =
          part.parent < 0 ? part.pose : RelativePose(model_.parts[part.parent].pose, part.pose);
      joint.translation = {pose.translation.x, pose.translation.y, pose.translation.z};
      joint.rotation = {pose.rotation.x, pose.rotation.y, pose.rotation.z, pose.rotation.w};
      joint.scale = {pose.scale, pose.scale, pose.scale};
      gltf_.nodes.push_back(joint);
      (part.parent < 0 ? skeleton.children : gltf_.nodes[part.parent].children)
          .push_back(part.slot);
    }
    gltf_.nodes.push_back(skeleton);

    // The rest pose turns nothing: each inverse bind matrix moves the pivot
    // back to the origin.
    const int view = addView(model_.parts.size() * 64, 0, [&](unsigned char* out) {
      for (const FigurePart& part : model_.parts) {
        const Point3& t = part.rest.translation;
        const float matrix[16] = {1,
                                  0,
                                  0,
                                  0,
                                  0,
                                  1,
                                  0,
                                  0,
                                  0,
                                  0,
                                  1,
                                  0,
                                  static_cast<float>(-t.x),
                                  static_cast<float>(-t.y),
                                  static_cast<float>(-t.z),
                                  1};
        std::memcpy(out, matrix, sizeof matrix);
        out += sizeof matrix;
      }
    });
    tinygltf::Skin skin;
    skin.inverseBindMatrices =
        addAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_MAT4, model_.parts.size());
    skin.skeleton = count;
    for (int k = 0; k < count; ++k) skin.joints.push_back(k);
    gltf_.skins.push_back(skin);
  }

  void addTextures(const std::vector<std::string>& pngs) {
    tinygltf::Sampler sampler;
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
    sampler.wrapS = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    sampler.wrapT = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    gltf_.samplers.push_back(sampler);
    for (const std::string& png : pngs) {
      tinygltf::Image image;
      image.mimeType = "image/png";
      image.bufferView = addView(
          png.size(), 0, [&](unsigned char* out) { std::memcpy(out, png.data(), png.size()); });
      gltf_.images.push_back(image);
      tinygltf::Texture texture;
      texture.sampler = 0;
      texture.source = static_cast<int>(gltf_.images.size() - 1);
      gltf_.textures.push_back(texture);
    }
  }

  void addMesh() {
    tinygltf::Mesh mesh;
    mesh.name = "figure";
    for (const FigurePart& part : model_.parts) {
      if (!part.vertices.empty()) addPart(part, mesh);
    }
    gltf_.meshes.push_back(mesh);
    tinygltf::Node node;
    node.name = "figure";
    node.mesh = 0;
    node.skin = 0;
    gltf_.nodes.push_back(node);
    tinygltf::Scene shown;
    shown.nodes = {static_cast<int>(model_.parts.size()), static_cast<int>(gltf_.nodes.size() - 1)};
    gltf_.scenes.push_back(shown);
  }

  // The part's two primitives, which share texture positions and joints.
  void addPart(const FigurePart& part, tinygltf::Mesh& mesh) {
    const PartMesh grid(scene_, part.slot);
    const size_t count = part.vertices.size();
    const Bitmap& picture = scene_.PartPicture[part.slot];
    const int uv = addAccessor(addView(count * 8, TINYGLTF_TARGET_ARRAY_BUFFER,
                                       [&](unsigned char* out) {
                                         for (const GridVertex v : part.vertices) {
                                           const Point2 t = TextureCoordinate(grid, picture, v);
                                           out = put(put(out, static_cast<float>(t.x)),
                                                     static_cast<float>(t.y));
                                         }
                                       }),
                               TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, count);
    const int joints =
        addAccessor(addView(count * 4, TINYGLTF_TARGET_ARRAY_BUFFER,
                            [&](unsigned char* out) {
                              for (size_t n = 0; n < count; ++n, out += 4) {
                                out[0] = static_cast<unsigned char>(part.slot);
                                out[1] = out[2] = out[3] = 0;
                              }
                            }),
                    TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE, TINYGLTF_TYPE_VEC4, count);
    const int weights =
        addAccessor(addView(count * 4, TINYGLTF_TARGET_ARRAY_BUFFER,
                            [&](unsigned char* out) {
                              for (size_t n = 0; n < count; ++n, out += 4) {
                                out[0] = 255;
                                out[1] = out[2] = out[3] = 0;
                              }
                            }),
                    TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE, TINYGLTF_TYPE_VEC4, count, true);

    for (const FigureSurface& surface : part.surfaces) {
      tinygltf::Primitive primitive;
      primitive.mode = TINYGLTF_MODE_TRIANGLES;
      primitive.attributes["POSITION"] = addPositions(part, grid, surface.side);
      primitive.attributes["NORMAL"] = addAccessor(
          addView(count * 12, TINYGLTF_TARGET_ARRAY_BUFFER,
                  [&](unsigned char* out) {
                    for (const Point3& n : surface.normals) {
                      const Point3 d = ModelDirection(n);
                      out = put(put(put(out, static_cast<float>(d.x)), static_cast<float>(d.y)),
                                static_cast<float>(d.z));
                    }
                  }),
          TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);
      primitive.attributes["TEXCOORD_0"] = uv;
      primitive.attributes["JOINTS_0"] = joints;
      primitive.attributes["WEIGHTS_0"] = weights;
      primitive.indices = addIndices(part, surface);
      primitive.material = addMaterial(part, surface);
      mesh.primitives.push_back(primitive);
    }
  }

  int addPositions(const FigurePart& part, const PartMesh& grid, Side side) {
    const size_t count = part.vertices.size();
    std::vector<double> low(3, std::numeric_limits<double>::infinity());
    std::vector<double> high(3, -std::numeric_limits<double>::infinity());
    const int view = addView(count * 12, TINYGLTF_TARGET_ARRAY_BUFFER, [&](unsigned char* out) {
      for (const GridVertex v : part.vertices) {
        const Point3 p = ModelPoint(ToView(part.restFrame, grid.Point(v, side)), model_.viewWidth,
                                    model_.viewHeight);
        const float xyz[3] = {static_cast<float>(p.x), static_cast<float>(p.y),
                              static_cast<float>(p.z)};
        for (int c = 0; c < 3; ++c) {
          low[c] = std::min(low[c], static_cast<double>(xyz[c]));
          high[c] = std::max(high[c], static_cast<double>(xyz[c]));
          out = put(out, xyz[c]);
        }
      }
    });
    const int accessor =
        addAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);
    gltf_.accessors[accessor].minValues = low;
    gltf_.accessors[accessor].maxValues = high;
    return accessor;
  }

  int addIndices(const FigurePart& part, const FigureSurface& surface) {
    const bool small = shortIndices(part);
    const size_t count = surface.triangles.size() * 3;
    const int view = addView(count * (small ? 2 : 4), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER,
                             [&](unsigned char* out) {
                               for (const std::array<uint32_t, 3>& triangle : surface.triangles) {
                                 for (const uint32_t index : triangle) {
                                   if (small) {
                                     const uint16_t shortIndex = static_cast<uint16_t>(index);
                                     std::memcpy(out, &shortIndex, 2);
                                     out += 2;
                                   } else {
                                     std::memcpy(out, &index, 4);
                                     out += 4;
                                   }
                                 }
                               }
                             });
    return addAccessor(
        view, small ? TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT : TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
        TINYGLTF_TYPE_SCALAR, count);
  }

  int addMaterial(const FigurePart& part, const FigureSurface& surface) {
    tinygltf::Material material;
    material.name = part.name + (surface.side == Side::Front ? "_front" : "_back");
    material.pbrMetallicRoughness.baseColorTexture.index = surface.picture;
    material.pbrMetallicRoughness.metallicFactor = 0;
    material.pbrMetallicRoughness.roughnessFactor = 1;
    gltf_.materials.push_back(material);
    return static_cast<int>(gltf_.materials.size() - 1);
  }

  const Scene& scene_;
  const FigureModel& model_;
  tinygltf::Model gltf_;
};

}  // namespace

std::string EncodeGlb(const Scene& scene, const FigureModel& model) {
  return GlbBuilder(scene, model).Encode();
}

}  // namespace puffel
