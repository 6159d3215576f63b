// puffel-cross-compare: whether what the Linux and the Windows programs made
// shows the same figure. Their maths libraries differ in the last bit of
// sin, cos, pow and the like, so numbers may differ that far; nothing else may.
//
//   puffel-cross-compare project A.dat B.dat
//       every count, flag, link, mark, picture name and grid cell state equal;
//       every position, pose and mesh number within 1e-9 of its size (of one
//       view pixel for numbers under one)
//   puffel-cross-compare view A.bmp B.bmp
//       the same size, and at most 0.1 % of the pixels differ
//
// Exit status 0 when alike, 1 with the first difference on standard error,
// 2 for wrong arguments.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "scene/scene.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "project/project_load.h"

namespace puffel {
namespace {

constexpr double Tolerance = 1e-9;

struct Difference {
  std::string what;
};

template <typename T>
void expectEqual(const T& a, const T& b, const std::string& what) {
  if (!(a == b)) throw Difference{what};
}

void expectNear(double a, double b, const std::string& what) {
  if (std::abs(a - b) > Tolerance * std::max({std::abs(a), std::abs(b), 1.0})) {
    std::ostringstream text;
    text.precision(17);
    text << what << ": " << a << " and " << b;
    throw Difference{text.str()};
  }
}

void expectNear(const Frame& a, const Frame& b, const std::string& what) {
  const auto pa = FramePoints(a), pb = FramePoints(b);
  for (size_t q = 0; q < pa.size(); ++q) {
    expectNear(pa[q]->x, pb[q]->x, what);
    expectNear(pa[q]->y, pb[q]->y, what);
    expectNear(pa[q]->z, pb[q]->z, what);
  }
}

void compareProjects(const Scene& a, const Scene& b) {
  expectEqual(a.PartCount, b.PartCount, "part count");
  expectEqual(a.View3D, b.View3D, "3D view");
  expectEqual(a.LightBehind, b.LightBehind, "light behind");
  const int32_t Scene::*marks[] = {
      &Scene::LightMarkX,   &Scene::LightMarkY,   &Scene::ColorMarkX,    &Scene::ColorMarkY,
      &Scene::DiffuseMarkX, &Scene::DiffuseMarkY, &Scene::SpecularMarkX, &Scene::SpecularMarkY,
      &Scene::FadeMarkX,    &Scene::FadeMarkY};
  for (const auto mark : marks) expectEqual(a.*mark, b.*mark, "light and material marks");
  expectEqual(a.ParentMatrix, b.ParentMatrix, "parent links");
  expectEqual(a.AncestorMatrix, b.AncestorMatrix, "ancestor links");
  const Table3D<double> Scene::*mesh[] = {&Scene::FrontX, &Scene::FrontY, &Scene::FrontZ,
                                          &Scene::BackX,  &Scene::BackY,  &Scene::BackZ,
                                          &Scene::TexU,   &Scene::TexV};
  for (int k = 0; k < a.PartCount; ++k) {
    const std::string part = "part " + std::to_string(k) + " ";
    // The folder is where the picture was on that machine; the name is what counts.
    expectEqual(ExtractFileName(PartFilePath(a, k)), ExtractFileName(PartFilePath(b, k)),
                part + "picture name");
    expectEqual(a.GridColumns[k], b.GridColumns[k], part + "grid columns");
    expectEqual(a.GridRows[k], b.GridRows[k], part + "grid rows");
    expectNear(a.PartPosX[k], b.PartPosX[k], part + "place");
    expectNear(a.PartPosY[k], b.PartPosY[k], part + "place");
    expectNear(a.PartOffsetX[k], b.PartOffsetX[k], part + "pivot");
    expectNear(a.PartOffsetY[k], b.PartOffsetY[k], part + "pivot");
    expectNear(a.PartFrame[k], b.PartFrame[k], part + "pose");
    for (int i = 0; i < a.GridColumns[k]; ++i) {
      for (int j = 0; j < a.GridRows[k]; ++j) {
        const std::string cell = part + "cell " + std::to_string(i) + "," + std::to_string(j);
        expectEqual(a.GridState[k][i][j], b.GridState[k][i][j], cell + " state");
        for (const auto table : mesh) expectNear((a.*table)[k][i][j], (b.*table)[k][i][j], cell);
      }
    }
  }
}

void compareViews(const Bitmap& a, const Bitmap& b) {
  expectEqual(a.Width(), b.Width(), "view width");
  expectEqual(a.Height(), b.Height(), "view height");
  const size_t pixels = static_cast<size_t>(a.Width()) * a.Height();
  size_t count = 0;
  for (size_t n = 0; n < pixels; ++n) count += a.Pixels()[n] != b.Pixels()[n];
  if (count * 1000 > pixels) {
    throw Difference{std::to_string(count) + " of " + std::to_string(pixels) + " pixels differ"};
  }
}

std::unique_ptr<Scene> decoded(const std::string& path) {
  return DecodeProject(ReadFileBytes(path), 400, 400);
}

}  // namespace
}  // namespace puffel

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: puffel-cross-compare project|view A B\n";
    return 2;
  }
  const std::string kind = argv[1];
  try {
    if (kind == "project") {
      puffel::compareProjects(*puffel::decoded(argv[2]), *puffel::decoded(argv[3]));
    } else if (kind == "view") {
      puffel::Bitmap a, b;
      puffel::LoadBitmapFile(argv[2], a);
      puffel::LoadBitmapFile(argv[3], b);
      puffel::compareViews(a, b);
    } else {
      std::cerr << "usage: puffel-cross-compare project|view A B\n";
      return 2;
    }
  } catch (const puffel::Difference& difference) {
    std::cerr << argv[2] << " and " << argv[3] << " differ: " << difference.what << '\n';
    return 1;
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
