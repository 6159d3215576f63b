// Inflation: rim points snap onto the outline, inside points rise on a rounded
// profile from their nearest outline pixel to the local half-thickness, depths
// are stretched, and with colour projection the texture follows the vertices.
#pragma once

#include "scene/scene.h"
#include "builder/nearest_outline.h"
#include "builder/outline.h"

namespace puffel {

// The profile exponent B(p) of a bulge slider position p (-10..20):
// 3^(-p/10) + 1 below 0, 2^((10 - p)/10) up to 10, 0.25^(((p - 10)/10)³) above.
double BulgeExponent(int position);

// Every rim point of part k (i = 0..nx, j = 0..ny) moves with its back vertex
// onto its nearest outline pixel at depth 0; a rim point without one keeps its
// position, and its back vertex becomes its front vertex.
void SnapRimPoints(Scene& scene, int k, const OutlineList& outline,
                   const OutlineMeasures& measures);

// Gives every inside point of part k with d > 0 its front and back vertex on
// the profile of exponents frontBulge and backBulge, the front rolled into an
// ear for earPosition (TrackBar3, 0..32) above 0. Inside points with d = 0 keep
// their front vertex, and their back vertex becomes their front vertex.
void InflateInsidePoints(Scene& scene, int k, const OutlineList& outline,
                         const OutlineMeasures& measures, double frontBulge, double backBulge,
                         int earPosition);

// Multiplies every FrontZ of part k by frontStretch * 0.1 and every BackZ by
// backStretch * 0.1 (TrackBar4 and TrackBar5 positions).
void StretchDepths(Scene& scene, int k, int frontStretch, int backStretch);

// Colour projection: every point of part k takes its texture position from its
// final front position.
void ProjectColours(Scene& scene, int k);

}  // namespace puffel
