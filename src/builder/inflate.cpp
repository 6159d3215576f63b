#include "builder/inflate.h"

#include <cmath>
#include <numbers>

#include "builder/part_mesh.h"

namespace puffel {

double BulgeExponent(int position) {
  if (position < 0) return std::pow(3, -position / 10.0) + 1;
  if (position <= 10) return std::pow(2, (10 - position) / 10.0);
  return std::pow(0.25, std::pow((position - 10) / 10.0, 3));
}

namespace {

// x^B for the profile, x >= 0. At the default bulge B is 1, and x^1 is x
// exactly (the library's power is faithful, so it can only return x).
inline double profilePower(double x, double B) { return B == 1 ? x : std::pow(x, B); }

}  // namespace

void SnapRimPoints(Scene& scene, int k, const OutlineList& outline,
                   const OutlineMeasures& measures) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const auto state = scene.GridState[k];
  auto frontX = scene.FrontX[k], frontY = scene.FrontY[k], frontZ = scene.FrontZ[k];
  auto backX = scene.BackX[k], backY = scene.BackY[k], backZ = scene.BackZ[k];
  for (int i = 0; i <= nx; ++i) {
    for (int j = 0; j <= ny; ++j) {
      if (state[i][j] != 1) continue;
      const int n = measures.NearestOutline[i][j];
      if (n >= 0) {
        frontX[i][j] = backX[i][j] = outline.OutlineX[n];
        frontY[i][j] = backY[i][j] = outline.OutlineY[n];
        frontZ[i][j] = backZ[i][j] = 0;
      } else {
        // Left at 0, the back vertex would pull the back surface to the
        // picture's corner.
        backX[i][j] = frontX[i][j];
        backY[i][j] = frontY[i][j];
        backZ[i][j] = frontZ[i][j];
      }
    }
  }
}

void InflateInsidePoints(Scene& scene, int k, const OutlineList& outline,
                         const OutlineMeasures& measures, double frontBulge, double backBulge,
                         int earPosition) {
  constexpr double pi = std::numbers::pi;
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  const auto state = scene.GridState[k];
  auto frontX = scene.FrontX[k], frontY = scene.FrontY[k], frontZ = scene.FrontZ[k];
  auto backX = scene.BackX[k], backY = scene.BackY[k], backZ = scene.BackZ[k];
  const double e = (32 - earPosition) / 64.0;
  const double w = 2 * e;
  const double Bf = frontBulge;
  const double Bb = backBulge;

  for (int i = 1; i <= nx - 1; ++i) {
    for (int j = 1; j <= ny - 1; ++j) {
      if (state[i][j] != 2) continue;
      const double X = frontX[i][j];
      const double Y = frontY[i][j];
      const int n = measures.NearestOutline[i][j];
      const PointDepth depth = MeasurePoint(outline, measures, n, X, Y);
      const double d = depth.d;
      if (!(d > 0)) {
        backX[i][j] = frontX[i][j];
        backY[i][j] = frontY[i][j];
        backZ[i][j] = frontZ[i][j];
        continue;
      }
      const double bx = outline.OutlineX[n];
      const double by = outline.OutlineY[n];
      double t = depth.t;
      if (t == 0) t = d;
      const double r = d / t;
      const double a = r * pi / 2;
      // The far point Q: distance t from b on the ray from b through P.
      const double qx = (X - bx) / r + bx;
      const double qy = (Y - by) / r + by;

      const double cB = profilePower(std::cos(a), Bb);
      const double sB = profilePower(std::sin(a), Bb);
      backX[i][j] = bx * cB + (1 - cB) * qx;
      backY[i][j] = by * cB + (1 - cB) * qy;
      backZ[i][j] = t * sB;

      if (e >= 0.5) {
        // Equal exponents give the very same powers as the back's.
        const double cF = Bf == Bb ? cB : profilePower(std::cos(a), Bf);
        const double sF = Bf == Bb ? sB : profilePower(std::sin(a), Bf);
        frontX[i][j] = bx * cF + (1 - cF) * qx;
        frontY[i][j] = by * cF + (1 - cF) * qy;
        frontZ[i][j] = -t * sF;
        continue;
      }
      // The ear: E lies at the fraction w of the way from b to Q.
      const double ex = (1 - w) * bx + w * qx;
      const double ey = (1 - w) * by + w * qy;
      if (r <= w) {
        // The rolled rim: a half-round lobe from b over M back down to E.
        const double a1 = (r / e) * pi / 2;
        const double sF = profilePower(std::sin(a1), Bf);
        const double c = std::cos(a1);
        const double cF = c >= 0 ? profilePower(c, Bf) : -profilePower(-c, Bf);
        const double mx = (bx + ex) / 2;
        const double my = (by + ey) / 2;
        const double lobe = std::sqrt((bx - mx) * (bx - mx) + (by - my) * (by - my));
        frontX[i][j] = (1 - cF) * mx + cF * bx;
        frontY[i][j] = (1 - cF) * my + cF * by;
        frontZ[i][j] = -lobe * sF;
      } else {
        // The hollow: the front sinks toward the back from E to Q.
        const double a2 = ((r - w) / (1 - w)) * pi / 2;
        const double sF = profilePower(std::sin(a2), Bf);
        const double cF = profilePower(std::cos(a2), Bf);
        const double hollow = std::sqrt((qx - ex) * (qx - ex) + (qy - ey) * (qy - ey));
        frontX[i][j] = ex * cF + (1 - cF) * qx;
        frontY[i][j] = ey * cF + (1 - cF) * qy;
        frontZ[i][j] = +hollow * sF;
      }
    }
  }
}

void InflatePart(Scene& scene, int k, const PartAnalysis& analysis, const MeshSettings& settings,
                 const ShapeSettings& shape) {
  SnapRimPoints(scene, k, analysis.outline, analysis.measures);
  InflateInsidePoints(scene, k, analysis.outline, analysis.measures, settings.frontBulge,
                      settings.backBulge, shape.earPosition);
  StretchDepths(scene, k, shape.frontStretch, shape.backStretch);
  if (settings.colourProjection) ProjectColours(scene, k);
}

void StretchDepths(Scene& scene, int k, int frontStretch, int backStretch) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  auto frontZ = scene.FrontZ[k];
  auto backZ = scene.BackZ[k];
  const double frontFactor = frontStretch * 0.1;
  const double backFactor = backStretch * 0.1;
  for (int i = 0; i <= nx; ++i) {
    for (int j = 0; j <= ny; ++j) {
      frontZ[i][j] = frontZ[i][j] * frontFactor;
      backZ[i][j] = backZ[i][j] * backFactor;
    }
  }
}

void ProjectColours(Scene& scene, int k) {
  const int nx = scene.GridColumns[k];
  const int ny = scene.GridRows[k];
  auto texU = scene.TexU[k], texV = scene.TexV[k];
  const auto frontX = scene.FrontX[k], frontY = scene.FrontY[k];
  for (int i = 0; i <= nx; ++i) {
    for (int j = 0; j <= ny; ++j) {
      texU[i][j] = frontX[i][j];
      texV[i][j] = frontY[i][j];
    }
  }
}

}  // namespace puffel
