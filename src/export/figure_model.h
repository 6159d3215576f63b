// The posed figure as the model files describe it: for every part a joint of
// the skeleton, and its front and back surface as indexed triangles: exactly
// the visible triangles of the 3D view, both sides of each, whichever way they
// face at the moment.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/scene.h"
#include "export/joint_pose.h"
#include "render/triangle_side.h"

namespace puffel {

// One side of a part: triangles over the part's vertices, wound
// counter-clockwise seen from outside (their normal is the render pass's side
// normal), and a smooth normal at every vertex.
struct FigureSurface {
  Side side = Side::Front;
  // The cells' visible triangles, cells in order of i and then j, the first
  // triangle of a cell before the second; a front triangle is (v0, c, a) of
  // its normal vertices, a back one (v0, a, c).
  std::vector<std::array<uint32_t, 3>> triangles;
  // Per vertex: the normalised sum of the side normals of its triangles, in
  // the part's local axes (those of the mesh tables).
  std::vector<Point3> normals;
  int picture = 0;  // index into FigureModel::pictures
};

struct FigurePart {
  int slot = 0;
  std::string name;  // unique among the parts
  int parent = -1;   // slot of the parent part, -1 for a root
  Frame frame;       // what the part is posed by: the 3D view's render frame
  Frame restFrame;   // unrotated, unscaled at the part's pivot
  JointPose pose;    // the joint now, in model space
  JointPose rest;    // the joint in the rest pose: at the pivot, unturned
  // The grid vertices of its visible triangles, in order of i and then j;
  // both surfaces use all of them.
  std::vector<GridVertex> vertices;
  std::array<FigureSurface, 2> surfaces;  // front, back; none when no vertices
};

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

// The texture position of grid vertex v of mesh's part, whose front picture
// is picture: (TexU / W, TexV / H), so that the texel under it is the one the
// 3D view reads.
inline Point2 TextureCoordinate(const PartMesh& mesh, const Bitmap& picture, GridVertex v) {
  const Point2 t = mesh.Texture(v);
  return {t.x / picture.Width(), t.y / picture.Height()};
}

}  // namespace puffel
