#include "export/glb_file.h"

#include <tiny_gltf.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstring>
#include <limits>
#include <sstream>
#include <tuple>

#include "anim/model_space.h"
#include "export/animation_samples.h"
#include "export/export_refusal.h"
#include "export/parallel_tasks.h"
#include "export/png_encode.h"
#include "platform/paths.h"

namespace puffel {

namespace {

constexpr const char* TooLargeMessage = "大きすぎて書き出せません！";

size_t aligned(size_t size) { return (size + 3) / 4 * 4; }

bool shortIndices(const FigurePart& part) {
  return part.vertices.size() <= std::numeric_limits<uint16_t>::max();
}

unsigned char* put(unsigned char* out, float value) {
  std::memcpy(out, &value, sizeof value);
  return out + sizeof value;
}

void putLittle(std::string& out, uint32_t value) {
  for (int b = 0; b < 4; ++b) out += static_cast<char>(value >> (8 * b));
}

// The buffer views of a part, in the order they lie in the buffer.
struct PartViews {
  int texture = 0;
  // Shared by both surfaces of a rigid part; a bending part's surfaces have
  // their own, as their vertices rest at their own places.
  std::array<int, 2> joints{};
  std::array<int, 2> weights{};
  std::array<int, 2> positions{};  // front, back
  std::array<int, 2> normals{};
  std::array<int, 2> indices{};
};

// Consecutive buffer views that are filled together.
struct Piece {
  size_t begin = 0;
  size_t end = 0;
  std::function<void(unsigned char* at)> fill;  // writes bytes begin..end-1 at at
};

// Lays out the glTF document, then writes it with its binary chunk, which is
// filled piece by piece on the way to the file rather than held whole.
class GlbWriter {
 public:
  GlbWriter(const Scene& scene, const FigureModel& model) : scene_(scene), model_(model) {
    gltf_.asset.version = "2.0";
    gltf_.asset.generator = "Puffel";
  }

  void Write(const std::string& path) {
    std::vector<std::string> pngs(model_.pictures.size());
    RunTasks(pngs.size(), [&](size_t n) { pngs[n] = EncodePng(*model_.pictures[n]); });
    addSkeleton();
    addAnimation();
    addTextures(pngs);
    addMesh();
    gltf_.defaultScene = 0;
    const std::string json = document();
    const size_t jsonSize = aligned(json.size());
    if (end_ > std::numeric_limits<uint32_t>::max() - jsonSize - 28) {
      throw ExportRefusal(TooLargeMessage);
    }

    std::string head = "glTF";
    putLittle(head, 2);
    putLittle(head, static_cast<uint32_t>(28 + jsonSize + end_));
    putLittle(head, static_cast<uint32_t>(jsonSize));
    head += "JSON";
    head += json;
    head.resize(12 + 8 + jsonSize, ' ');
    putLittle(head, static_cast<uint32_t>(end_));
    head += std::string("BIN\0", 4);
    FileWriter file(path);
    const auto write = [&](const std::string& bytes) { file.Write(bytes.data(), bytes.size()); };
    write(head);
    RunTasksInOrder(
        pieces_.size(),
        [&](size_t n, std::string& bytes) {
          bytes.resize(pieces_[n].end - pieces_[n].begin);
          pieces_[n].fill(reinterpret_cast<unsigned char*>(bytes.data()));
        },
        write);
    file.Commit();
  }

 private:
  // The document as tinygltf writes it, with the one buffer, the binary chunk.
  std::string document() {
    std::ostringstream text;
    tinygltf::TinyGLTF writer;
    writer.WriteGltfSceneToStream(&gltf_, text, false, false);
    nlohmann::json json = nlohmann::json::parse(text.str());
    json["buffers"] = nlohmann::json::array({{{"byteLength", end_}}});
    return json.dump();
  }

  // Lays out a buffer view of size bytes after the others, 4-byte aligned.
  int addView(size_t size, int target) {
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = end_;
    view.byteLength = size;
    view.target = target;
    end_ += aligned(size);
    gltf_.bufferViews.push_back(view);
    return static_cast<int>(gltf_.bufferViews.size() - 1);
  }

  // Where the view lies in a piece that begins at begin and is filled at at.
  unsigned char* viewAt(int view, unsigned char* at, size_t begin) const {
    return at + (gltf_.bufferViews[view].byteOffset - begin);
  }

  // Closes the views laid out since the last piece into one, filled by fill.
  void addPiece(std::function<void(unsigned char* at, size_t begin)> fill) {
    const size_t begin = pieces_.empty() ? 0 : pieces_.back().end;
    pieces_.push_back({begin, end_, [begin, fill](unsigned char* at) { fill(at, begin); }});
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
    const int view = addView(model_.parts.size() * 64, 0);
    addPiece([this](unsigned char* out, size_t) {
      for (const FigurePart& part : model_.parts) {
        const Point3& t = part.rest.translation;
        float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        matrix[12] = static_cast<float>(-t.x);
        matrix[13] = static_cast<float>(-t.y);
        matrix[14] = static_cast<float>(-t.z);
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

  // The key poses played in a loop: per joint a translation, a rotation and a
  // scale channel over the samples' times, the first key again at the end, so
  // that a player's loop turns back into it as the 3D view's does.
  void addAnimation() {
    const size_t parts = model_.parts.size();
    for (const KeyPose& key : scene_.AnimationKeys) {
      if (key.joints.size() != parts) return;
    }
    samples_ = SampleAnimation(scene_);
    if (samples_.times.empty()) return;
    const size_t times = samples_.times.size();
    const int timeView = addView(times * 4, 0);
    const int outputView = addView(parts * times * (3 + 4 + 3) * 4, 0);
    addPiece([this, timeView, outputView](unsigned char* at, size_t begin) {
      fillAnimation(viewAt(timeView, at, begin), viewAt(outputView, at, begin));
    });
    const int input =
        addAccessor(timeView, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR, times);
    gltf_.accessors[input].minValues = {0};
    gltf_.accessors[input].maxValues = {static_cast<float>(samples_.times.back())};
    tinygltf::Animation animation;
    animation.name = "loop";
    size_t offset = 0;
    for (size_t k = 0; k < parts; ++k) {
      for (const auto& [path, type, width] : {std::tuple{"translation", TINYGLTF_TYPE_VEC3, 3},
                                              {"rotation", TINYGLTF_TYPE_VEC4, 4},
                                              {"scale", TINYGLTF_TYPE_VEC3, 3}}) {
        const int output = addAccessor(outputView, TINYGLTF_COMPONENT_TYPE_FLOAT, type, times);
        gltf_.accessors[output].byteOffset = offset;
        offset += times * width * 4;
        tinygltf::AnimationSampler sampler;
        sampler.input = input;
        sampler.output = output;
        sampler.interpolation = "LINEAR";
        animation.samplers.push_back(sampler);
        tinygltf::AnimationChannel channel;
        channel.sampler = static_cast<int>(animation.samplers.size() - 1);
        channel.target_node = static_cast<int>(k);
        channel.target_path = path;
        animation.channels.push_back(channel);
      }
    }
    gltf_.animations.push_back(animation);
  }

  void fillAnimation(unsigned char* time, unsigned char* out) const {
    const std::vector<KeyPose>& poses = samples_.poses;
    for (const double t : samples_.times) time = put(time, static_cast<float>(t));
    for (size_t k = 0; k < model_.parts.size(); ++k) {
      for (const KeyPose& pose : poses) {
        const Point3& t = pose.joints[k].translation;
        out = put(put(put(out, static_cast<float>(t.x)), static_cast<float>(t.y)),
                  static_cast<float>(t.z));
      }
      // Each rotation on the side of the one before, so that even a player
      // that interpolates the numbers one by one takes the shorter arc.
      Quaternion last;
      for (size_t n = 0; n < poses.size(); ++n) {
        Quaternion q = poses[n].joints[k].rotation;
        if (n > 0 && q.x * last.x + q.y * last.y + q.z * last.z + q.w * last.w < 0) {
          q = {-q.x, -q.y, -q.z, -q.w};
        }
        last = q;
        for (const double c : {q.x, q.y, q.z, q.w}) out = put(out, static_cast<float>(c));
      }
      for (const KeyPose& pose : poses) {
        const float scale = static_cast<float>(pose.joints[k].scale);
        out = put(put(put(out, scale), scale), scale);
      }
    }
  }

  // pngs must stay until the pieces are filled.
  void addTextures(const std::vector<std::string>& pngs) {
    tinygltf::Sampler sampler;
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
    sampler.wrapS = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    sampler.wrapT = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    gltf_.samplers.push_back(sampler);
    for (const std::string& png : pngs) {
      tinygltf::Image image;
      image.mimeType = "image/png";
      image.bufferView = addView(png.size(), 0);
      addPiece(
          [png = &png](unsigned char* out, size_t) { std::memcpy(out, png->data(), png->size()); });
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
    partViews_.resize(model_.parts.size());
    std::vector<std::array<int, 2>> positions(model_.parts.size());
    for (const FigurePart& part : model_.parts) {
      if (!part.vertices.empty()) positions[part.slot] = addPart(part, mesh);
    }
    // The bounds of the positions belong in the document, which comes first.
    RunTasks(model_.parts.size(), [&](size_t n) {
      const FigurePart& part = model_.parts[n];
      if (part.vertices.empty()) return;
      for (const Side side : {Side::Front, Side::Back}) {
        tinygltf::Accessor& accessor = gltf_.accessors[positions[n][side == Side::Front ? 0 : 1]];
        accessor.minValues.assign(3, std::numeric_limits<double>::infinity());
        accessor.maxValues.assign(3, -std::numeric_limits<double>::infinity());
        const PartMesh grid(scene_, part.slot);
        for (const GridVertex v : part.vertices) {
          const std::array<float, 3> p = restPosition(part, grid, v, side);
          for (int c = 0; c < 3; ++c) {
            accessor.minValues[c] = std::min(accessor.minValues[c], static_cast<double>(p[c]));
            accessor.maxValues[c] = std::max(accessor.maxValues[c], static_cast<double>(p[c]));
          }
        }
      }
    });
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

  std::array<float, 3> restPosition(const FigurePart& part, const PartMesh& grid, GridVertex v,
                                    Side side) const {
    const Point3 m = ModelPoint(ToView(part.restFrame, grid.Point(v, side)), model_.viewWidth,
                                model_.viewHeight);
    return {static_cast<float>(m.x), static_cast<float>(m.y), static_cast<float>(m.z)};
  }

  // The part's two primitives, which share texture positions and joints;
  // returns their position accessors.
  std::array<int, 2> addPart(const FigurePart& part, tinygltf::Mesh& mesh) {
    const size_t count = part.vertices.size();
    const size_t indices = part.triangleCount * 3;
    PartViews& views = partViews_[part.slot];
    const bool bends = part.binding.parent >= 0;
    views.texture = addView(count * 8, TINYGLTF_TARGET_ARRAY_BUFFER);
    const int uv =
        addAccessor(views.texture, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, count);
    int joints = 0;
    int weights = 0;
    const auto addInfluences = [&](int s) {
      views.joints[s] = addView(count * 4, TINYGLTF_TARGET_ARRAY_BUFFER);
      joints = addAccessor(views.joints[s], TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE,
                           TINYGLTF_TYPE_VEC4, count);
      if (bends) {
        views.weights[s] = addView(count * 16, TINYGLTF_TARGET_ARRAY_BUFFER);
        weights =
            addAccessor(views.weights[s], TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC4, count);
      } else {
        views.weights[s] = addView(count * 4, TINYGLTF_TARGET_ARRAY_BUFFER);
        weights = addAccessor(views.weights[s], TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE,
                              TINYGLTF_TYPE_VEC4, count, true);
      }
    };
    if (!bends) addInfluences(0);
    std::array<int, 2> positions{};
    for (int s = 0; s < 2; ++s) {
      if (bends) addInfluences(s);
      views.positions[s] = addView(count * 12, TINYGLTF_TARGET_ARRAY_BUFFER);
      views.normals[s] = addView(count * 12, TINYGLTF_TARGET_ARRAY_BUFFER);
      views.indices[s] =
          addView(indices * (shortIndices(part) ? 2 : 4), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
      tinygltf::Primitive primitive;
      primitive.mode = TINYGLTF_MODE_TRIANGLES;
      positions[s] =
          addAccessor(views.positions[s], TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);
      primitive.attributes["POSITION"] = positions[s];
      primitive.attributes["NORMAL"] =
          addAccessor(views.normals[s], TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);
      primitive.attributes["TEXCOORD_0"] = uv;
      primitive.attributes["JOINTS_0"] = joints;
      primitive.attributes["WEIGHTS_0"] = weights;
      primitive.indices = addAccessor(views.indices[s],
                                      shortIndices(part) ? TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT
                                                         : TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                                      TINYGLTF_TYPE_SCALAR, indices);
      primitive.material = addMaterial(part, s);
      mesh.primitives.push_back(primitive);
    }
    addPiece([this, p = &part](unsigned char* at, size_t begin) { fillPart(*p, at, begin); });
    return positions;
  }

  void fillPart(const FigurePart& part, unsigned char* at, size_t begin) const {
    const PartViews& views = partViews_[part.slot];
    const PartMesh grid(scene_, part.slot);
    const Bitmap& picture = scene_.PartPicture[part.slot];
    const bool bends = part.binding.parent >= 0;
    unsigned char* uv = viewAt(views.texture, at, begin);
    for (const GridVertex v : part.vertices) {
      const Point2 t = TextureCoordinate(grid, picture, v);
      uv = put(put(uv, static_cast<float>(t.x)), static_cast<float>(t.y));
    }
    if (!bends) {
      unsigned char* joints = viewAt(views.joints[0], at, begin);
      unsigned char* weights = viewAt(views.weights[0], at, begin);
      for (size_t n = 0; n < part.vertices.size(); ++n) {
        *joints++ = static_cast<unsigned char>(part.slot);
        *weights++ = 255;
        for (int c = 0; c < 3; ++c) *joints++ = *weights++ = 0;
      }
    }

    const PartSurfaces surfaces = SurfacesOf(scene_, part);
    for (int s = 0; s < 2; ++s) {
      const Side side = s == 0 ? Side::Front : Side::Back;
      if (bends) fillInfluences(part, grid, side, at, begin);
      unsigned char* positions = viewAt(views.positions[s], at, begin);
      for (const GridVertex v : part.vertices) {
        for (const float c : restPosition(part, grid, v, side)) positions = put(positions, c);
      }
      unsigned char* normals = viewAt(views.normals[s], at, begin);
      for (const std::array<float, 3>& n : surfaces.normals[s]) {
        normals = put(put(put(normals, n[0]), -n[1]), -n[2]);  // as ModelDirection turns them
      }
      unsigned char* indices = viewAt(views.indices[s], at, begin);
      const bool small = shortIndices(part);
      for (size_t t = 0; t < surfaces.triangles.size(); ++t) {
        for (const uint32_t index : SurfaceTriangle(surfaces, side, t)) {
          if (small) {
            const uint16_t shortIndex = static_cast<uint16_t>(index);
            std::memcpy(indices, &shortIndex, 2);
            indices += 2;
          } else {
            std::memcpy(indices, &index, 4);
            indices += 4;
          }
        }
      }
    }
  }

  // A bending part's joints and weights on the side: its own joint with
  // weight w and its parent's with 1 - w, each only where its weight is not
  // 0, in that order; unused places hold joint 0 and weight 0.
  void fillInfluences(const FigurePart& part, const PartMesh& grid, Side side, unsigned char* at,
                      size_t begin) const {
    const PartViews& views = partViews_[part.slot];
    const int s = side == Side::Front ? 0 : 1;
    unsigned char* joints = viewAt(views.joints[s], at, begin);
    unsigned char* weights = viewAt(views.weights[s], at, begin);
    for (const GridVertex v : part.vertices) {
      const double w = OwnWeight(part, grid, v, side);
      std::array<unsigned char, 4> joint{};
      std::array<float, 4> weight{};
      int used = 0;
      if (w > 0) {
        joint[used] = static_cast<unsigned char>(part.slot);
        weight[used++] = static_cast<float>(w);
      }
      if (w < 1) {
        joint[used] = static_cast<unsigned char>(part.binding.parent);
        weight[used++] = static_cast<float>(1 - w);
      }
      joints = std::copy(joint.begin(), joint.end(), joints);
      for (const float f : weight) weights = put(weights, f);
    }
  }

  int addMaterial(const FigurePart& part, int side) {
    tinygltf::Material material;
    material.name = part.name + (side == 0 ? "_front" : "_back");
    material.pbrMetallicRoughness.baseColorTexture.index = part.pictures[side];
    material.pbrMetallicRoughness.metallicFactor = 0;
    material.pbrMetallicRoughness.roughnessFactor = 1;
    gltf_.materials.push_back(material);
    return static_cast<int>(gltf_.materials.size() - 1);
  }

  const Scene& scene_;
  AnimationSamples samples_;
  const FigureModel& model_;
  tinygltf::Model gltf_;
  size_t end_ = 0;                    // the bytes of the buffer laid out so far
  std::vector<Piece> pieces_;         // the buffer's pieces in order
  std::vector<PartViews> partViews_;  // per part
};

}  // namespace

void WriteGlbFile(const Scene& scene, const FigureModel& model, const std::string& path) {
  GlbWriter(scene, model).Write(path);
}

}  // namespace puffel
