// Exported GLB files read back with tinygltf: the skinned vertices land where
// the 3D view projects them, the joints follow the skeleton, the textures are
// the part pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "app/part_window.h"
#include "export/glb_reading.h"
#include "export/grid_oracle.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "render/cell_walk.h"
#include "render/triangle_side.h"

namespace puffel {
namespace {

using test::Matrix4;

Point3 minus(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The view point of a model-space point: 1 mm is one pixel, y down, z away.
Point3 toView(const std::array<double, 3>& m, const Scene& scene) {
  return {m[0] * 1000 + scene.ViewWidth / 2.0, scene.ViewHeight / 2.0 - m[1] * 1000, -m[2] * 1000};
}

// The number of sides the render pass draws of part k.
size_t drawnSides(const Scene& scene, int k) {
  const WalkPlan plan = PlanWalk(scene, k);
  std::vector<std::vector<TriangleSide>> lines(plan.lines);
  std::vector<std::vector<TriangleSide>*> out;
  for (auto& line : lines) out.push_back(&line);
  WalkLines(scene, plan, 0, out);
  size_t sides = 0;
  for (const auto& line : lines) sides += line.size();
  return sides;
}

// Checks the exported file against the scene as the last 3D redraw (or, in
// the flat view, the unposed frames) placed it.
void expectModelOfScene(const tinygltf::Model& gltf, const Scene& scene) {
  const int parts = scene.PartCount;
  ASSERT_EQ(gltf.nodes.size(), static_cast<size_t>(parts + 2));
  ASSERT_EQ(gltf.skins.size(), 1u);
  const tinygltf::Skin& skin = gltf.skins[0];
  ASSERT_EQ(skin.joints.size(), static_cast<size_t>(parts));
  for (int k = 0; k < parts; ++k) EXPECT_EQ(skin.joints[k], k);
  EXPECT_EQ(skin.skeleton, parts);
  ASSERT_EQ(gltf.scenes.size(), 1u);
  EXPECT_EQ(gltf.scenes[0].nodes, (std::vector<int>{parts, parts + 1}));
  EXPECT_EQ(gltf.nodes[parts + 1].mesh, 0);
  EXPECT_EQ(gltf.nodes[parts + 1].skin, 0);

  // The joints' hierarchy is the skeleton's.
  for (int k = 0; k < parts; ++k) {
    int expected = parts;
    for (int p = 0; p < parts; ++p) {
      if (scene.ParentMatrix[k + 1][p + 1] == 1) expected = p;
    }
    int found = -1;
    for (int n = 0; n < parts + 2; ++n) {
      for (const int child : gltf.nodes[n].children) {
        if (child == k) found = n;
      }
    }
    EXPECT_EQ(found, expected) << "parent of part " << k;
  }

  const std::vector<Matrix4> world = test::WorldMatrices(gltf);
  const std::vector<double> inverseBind = test::ReadAccessor(gltf, skin.inverseBindMatrices);
  ASSERT_EQ(inverseBind.size(), static_cast<size_t>(16 * parts));
  std::vector<Matrix4> skinning(parts);
  for (int k = 0; k < parts; ++k) {
    Matrix4 ibm;
    std::copy_n(inverseBind.begin() + 16 * k, 16, ibm.begin());
    skinning[k] = test::Multiply(world[k], ibm);
    // The joint sits at the part's pivot as the view shows it.
    const Point3 joint = toView({world[k][12], world[k][13], world[k][14]}, scene);
    EXPECT_NEAR(joint.x, scene.RenderFrame[k].Origin.x, 1e-6);
    EXPECT_NEAR(joint.y, scene.RenderFrame[k].Origin.y, 1e-6);
    EXPECT_NEAR(joint.z, scene.RenderFrame[k].Origin.z, 1e-6);
  }

  const std::vector<tinygltf::Primitive>& primitives = gltf.meshes.at(0).primitives;
  size_t next = 0;
  for (int k = 0; k < parts; ++k) {
    SCOPED_TRACE(testing::Message() << "part " << k);
    const test::OracleSurface oracle = test::VisibleTriangles(scene, k);
    if (oracle.triangles.empty()) continue;
    const PartMesh mesh(scene, k);
    const Frame& frame = scene.PartFrame[k];
    const Point3 axes[3] = {minus(frame.TipX, frame.Origin), minus(frame.TipY, frame.Origin),
                            minus(frame.TipZ, frame.Origin)};
    size_t facing = 0;
    for (const Side side : {Side::Front, Side::Back}) {
      SCOPED_TRACE(side == Side::Front ? "front" : "back");
      ASSERT_LT(next, primitives.size());
      const tinygltf::Primitive& primitive = primitives[next++];
      const std::vector<double> positions =
          test::ReadAccessor(gltf, primitive.attributes.at("POSITION"));
      const std::vector<double> normals =
          test::ReadAccessor(gltf, primitive.attributes.at("NORMAL"));
      const std::vector<double> uvs =
          test::ReadAccessor(gltf, primitive.attributes.at("TEXCOORD_0"));
      const std::vector<double> joints =
          test::ReadAccessor(gltf, primitive.attributes.at("JOINTS_0"));
      const std::vector<double> weights =
          test::ReadAccessor(gltf, primitive.attributes.at("WEIGHTS_0"));
      const std::vector<double> indices = test::ReadAccessor(gltf, primitive.indices);
      const size_t count = oracle.vertices.size();
      ASSERT_EQ(positions.size(), 3 * count);
      ASSERT_EQ(normals.size(), 3 * count);
      ASSERT_EQ(uvs.size(), 2 * count);

      std::vector<Point3> viewPoints(count);
      double worst = 0;
      for (size_t n = 0; n < count; ++n) {
        const GridVertex v = oracle.vertices[n];
        EXPECT_EQ(joints[4 * n], k);
        EXPECT_EQ(weights[4 * n], 1);
        EXPECT_EQ(weights[4 * n + 1] + weights[4 * n + 2] + weights[4 * n + 3], 0);
        viewPoints[n] = toView(test::Transform(skinning[k], &positions[3 * n]), scene);
        const Point3 expected = ToView(scene.RenderFrame[k], mesh.Point(v, side));
        worst = std::max({worst, std::abs(viewPoints[n].x - expected.x),
                          std::abs(viewPoints[n].y - expected.y),
                          std::abs(viewPoints[n].z - expected.z)});
        EXPECT_EQ(uvs[2 * n], static_cast<float>(mesh.Texture(v).x / scene.PartPicture[k].Width()));
        EXPECT_EQ(uvs[2 * n + 1],
                  static_cast<float>(mesh.Texture(v).y / scene.PartPicture[k].Height()));
        const double length =
            std::sqrt(normals[3 * n] * normals[3 * n] + normals[3 * n + 1] * normals[3 * n + 1] +
                      normals[3 * n + 2] * normals[3 * n + 2]);
        EXPECT_NEAR(length, 1, 1e-6);
      }
      EXPECT_LT(worst, 1e-3) << "pixels off the view's projection";

      ASSERT_EQ(indices.size(), 3 * oracle.triangles.size());
      for (size_t t = 0; t < oracle.triangles.size(); ++t) {
        const test::OracleTriangle& expected = oracle.triangles[t];
        std::array<Point3, 3> corners;
        std::multimap<std::pair<int, int>, int> exported, drawn;
        for (int c = 0; c < 3; ++c) {
          const GridVertex v = oracle.vertices[static_cast<size_t>(indices[3 * t + c])];
          corners[c] = mesh.Point(v, side);
          exported.insert({{v.i, v.j}, 0});
          drawn.insert({{expected.drawn[c].i, expected.drawn[c].j}, 0});
        }
        ASSERT_EQ(exported, drawn) << "triangle " << t;
        // Wound so that its face points where the render pass's side normal does.
        const Point3 face = cross(minus(corners[1], corners[0]), minus(corners[2], corners[0]));
        const Point3 sideNormal = TriangleNormal(mesh, expected.a, expected.v0, expected.c, side);
        EXPECT_NEAR(face.x, sideNormal.x, 1e-9 * (1 + std::abs(sideNormal.x)));
        EXPECT_NEAR(face.y, sideNormal.y, 1e-9 * (1 + std::abs(sideNormal.y)));
        EXPECT_NEAR(face.z, sideNormal.z, 1e-9 * (1 + std::abs(sideNormal.z)));
        const double towardViewer = axes[0].z * face.x + axes[1].z * face.y + axes[2].z * face.z;
        if (towardViewer < 0) ++facing;
        // The exported face in the posed view faces the same way.
        const Point3 posedFace =
            cross(minus(viewPoints[indices[3 * t + 1]], viewPoints[indices[3 * t]]),
                  minus(viewPoints[indices[3 * t + 2]], viewPoints[indices[3 * t]]));
        if (std::abs(towardViewer) > 1e-3 * std::sqrt(dot(face, face))) {
          EXPECT_EQ(posedFace.z < 0, towardViewer < 0) << "triangle " << t;
        }
      }
    }
    // Of both surfaces, the triangles that face the viewer are the sides the
    // 3D view draws.
    EXPECT_EQ(facing, drawnSides(scene, k));
  }
  EXPECT_EQ(next, primitives.size());
}

TEST(GlbRoundTrip, PosedFigureSkinsOntoTheViewsProjection) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  for (const auto& [child, parent] : {std::pair{1, 0}, {2, 0}, {3, 0}, {4, 3}}) {
    EXPECT_EQ(scene.ParentMatrix[child + 1][parent + 1], 1);
  }
  program->Dispatch([&] { program->form2().FormPaint(); });
  const std::string path = program->folder() / "pic_hozon/figure.glb";
  ExportFigure(scene, path);
  expectModelOfScene(test::ReadGlb(path), scene);
}

TEST(GlbRoundTrip, FlatViewGivesTheUnposedFigureWithJointsAtThePivots) {
  auto program = test::FigureProgram(true);
  Scene& scene = program->scene();
  const std::string path = program->folder() / "pic_hozon/flat.glb";
  ExportFigure(scene, path);
  const tinygltf::Model gltf = test::ReadGlb(path);
  // What the 3D view shows once switched on: every frame unit axes at its pivot.
  program->Dispatch([&] { program->form1().Button4.Click(); });
  expectModelOfScene(gltf, scene);
  for (int k = 0; k < scene.PartCount; ++k) {
    const tinygltf::Node& joint = gltf.nodes[k];
    EXPECT_EQ(joint.rotation, (std::vector<double>{0, 0, 0, 1}));
    EXPECT_EQ(joint.scale, (std::vector<double>{1, 1, 1}));
  }
}

TEST(GlbRoundTrip, NamesJointsAfterTheirPicturesAndTexturesFromTheirPictures) {
  auto program = test::FigureProgram();
  const Scene& scene = program->scene();
  const std::string path = program->folder() / "pic_hozon/figure.glb";
  ExportFigure(scene, path);
  const tinygltf::Model gltf = test::ReadGlb(path);
  const std::vector<std::string> names = {"body", "head", "arm", "arm_2", "hand"};
  for (size_t k = 0; k < names.size(); ++k) EXPECT_EQ(gltf.nodes[k].name, names[k]);

  // One picture serves both sides of a part read from one file.
  ASSERT_EQ(gltf.images.size(), 5u);
  const auto& primitives = gltf.meshes[0].primitives;
  ASSERT_EQ(primitives.size(), 10u);
  for (int k = 0; k < scene.PartCount; ++k) {
    for (int s = 0; s < 2; ++s) {
      const tinygltf::Material& material = gltf.materials.at(primitives[2 * k + s].material);
      EXPECT_EQ(material.name, names[k] + (s == 0 ? "_front" : "_back"));
      EXPECT_EQ(material.pbrMetallicRoughness.metallicFactor, 0);
      EXPECT_EQ(material.pbrMetallicRoughness.roughnessFactor, 1);
      const tinygltf::Texture& texture =
          gltf.textures.at(material.pbrMetallicRoughness.baseColorTexture.index);
      const tinygltf::Sampler& sampler = gltf.samplers.at(texture.sampler);
      EXPECT_EQ(sampler.magFilter, TINYGLTF_TEXTURE_FILTER_NEAREST);
      EXPECT_EQ(sampler.wrapS, TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE);
      EXPECT_EQ(sampler.wrapT, TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE);
      const tinygltf::Image& image = gltf.images.at(texture.source);
      EXPECT_EQ(image.mimeType, "image/png");
      const Bitmap& picture = s == 0 ? scene.PartPicture[k] : scene.PartBackPicture[k];
      ASSERT_EQ(image.width, picture.Width());
      ASSERT_EQ(image.height, picture.Height());
      const int channels = image.component;
      int wrong = 0;
      for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
          const unsigned char* texel =
              &image.image[(static_cast<size_t>(y) * image.width + x) * channels];
          const uint32_t rgb = texel[0] << 16 | texel[1] << 8 | texel[2];
          if (rgb != (picture.Row(y)[x] & 0xFFFFFF)) ++wrong;
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
}  // namespace puffel
