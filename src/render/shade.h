// Flat lighting of one triangle side from the light and material settings.
#pragma once

#include "scene/scene.h"

namespace puffel {

struct TriangleShade {
  double diffuse = 0;   // 0 up to DiffuseGain
  double specular = 0;  // 0 up to SpecularGain
};

// The diffuse and specular intensity of a side with frame-space normal n (not
// normalised) under the light direction LightDirX/Y/Z and the material values.
// The cosine is taken as at most 1, the sharpness values as at most 78/79.
TriangleShade ShadeTriangle(const Scene& scene, const Point3& n);

// The z component of the unit vector t n - light with the larger t, the light
// mirrored about n; -light.z when there is none or n is zero.
double ReflectedLightZ(const Point3& light, const Point3& n);

}  // namespace puffel
