// The posed figure as the model files describe it: for every part a joint of
// the skeleton, and its front and back surface as indexed triangles: exactly
// the visible triangles of the 3D view, both sides of each, whichever way they
// face at the moment.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "anim/joint_pose.h"
#include "render/soft_joints.h"
#include "render/triangle_side.h"
#include "scene/scene.h"

namespace puffel {

struct FigurePart {
  int slot = 0;
  std::string name;  // unique among the parts
  int parent = -1;   // slot of the parent part, -1 for a root
  Frame frame;       // what the part is posed by: the 3D view's render frame
  Frame restFrame;   // unrotated, unscaled at the part's pivot
  JointPose pose;    // the joint now, in model space
  JointPose rest;    // the joint in the rest pose: at the pivot, unturned
  // The grid vertices of its visible triangles, in order of i and then j;
  // both surfaces use all of them. None when the part shows no triangle.
  std::vector<GridVertex> vertices;
  size_t triangleCount = 0;              // visible triangles, on each surface
  std::array<int, 2> pictures = {0, 0};  // front, back: indices into FigureModel::pictures
  SoftBinding binding;                   // how it bends, as the 3D view bends it
};

// A part's triangles, worked out when its turn comes rather than held for the
// whole figure.
struct PartSurfaces {
  // The cells' visible triangles over the part's vertices, cells in order of
  // i and then j, the first triangle of a cell before the second, wound
  // counter-clockwise seen from outside the front: (v0, c, a) of their normal
  // vertices, so that their normal is the render pass's side normal. The back
  // surface winds each the other way (SurfaceTriangle).
  std::vector<std::array<uint32_t, 3>> triangles;
  // Front, back: per vertex the normalised sum of the side normals of its
  // triangles, in the part's local axes (those of the mesh tables).
  std::array<std::vector<std::array<float, 3>>, 2> normals;
};

// Triangle t of the surfaces wound for the side.
inline std::array<uint32_t, 3> SurfaceTriangle(const PartSurfaces& surfaces, Side side, size_t t) {
  const std::array<uint32_t, 3>& front = surfaces.triangles[t];
  if (side == Side::Front) return front;
  return {front[0], front[2], front[1]};
}

struct FigureModel {
  int viewWidth = 0;
  int viewHeight = 0;
  std::vector<FigurePart> parts;  // every used part, in slot order
  // The distinct pictures the surfaces are textured from (PartPicture and
  // PartBackPicture, equal ones once).
  std::vector<const Bitmap*> pictures;
};

// The figure of scene as the 3D view shows it: in the 3D view every part posed
// by its frame after the attachment step, in the flat view the unposed,
// assembled figure. Parents follow ParentMatrix (a link to a part that is not
// lower is taken as none). Throws ExportRefusal, with the message to show, when
// there is no part, no visible triangle, a pose that is no turn and uniform
// scale, or a coordinate that is not a finite number. The scene is unchanged.
FigureModel BuildFigureModel(const Scene& scene);

// The triangles and normals of part, a part of the figure of scene.
PartSurfaces SurfacesOf(const Scene& scene, const FigurePart& part);

// The own joint's weight of grid vertex v on the side of part: 1 for a part
// that does not bend.
inline double OwnWeight(const FigurePart& part, const PartMesh& mesh, GridVertex v, Side side) {
  if (part.binding.parent < 0) return 1;
  const Point3 p = mesh.Point(v, side);
  return OwnJointWeight(p.x, p.y, part.binding.reach);
}

// The view point of grid vertex v on the side of part, a part of model, posed
// as the 3D view poses it: by its frame, blended with its parent's within reach.
inline Point3 PosedPoint(const FigureModel& model, const FigurePart& part, const PartMesh& mesh,
                         GridVertex v, Side side) {
  const Point3 p = mesh.Point(v, side);
  if (part.binding.parent < 0) return ToView(part.frame, p);
  return BlendedPoint(part.frame, model.parts[part.binding.parent].frame, part.binding, p,
                      OwnWeight(part, mesh, v, side));
}

// The texture position of grid vertex v of mesh's part, whose front picture
// is picture: (TexU / W, TexV / H), so that the texel under it is the one the
// 3D view reads.
inline Point2 TextureCoordinate(const PartMesh& mesh, const Bitmap& picture, GridVertex v) {
  const Point2 t = mesh.Texture(v);
  return {t.x / picture.Width(), t.y / picture.Height()};
}

}  // namespace puffel
