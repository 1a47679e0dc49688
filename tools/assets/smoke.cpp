#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// "smouke": one puff of the chimney's smoke, a quad drawn facing the viewer
// and blended. Many overlap, so each is soft and mostly translucent.

namespace {
constexpr const char* kPuffTexture = "smoke.png";
constexpr double kPuffSize = 3.2;
}  // namespace

Model makeSmokePuff() {
  Model m;
  // Mostly ambient: near the chimney the light is strong, far back along
  // the trail it has faded, so puffs darken as they drift away.
  Material mat = litMaterial(1.0f, 1.0f, 1.05f, 0, 0);
  for (int i = 0; i < 3; ++i) mat.diffuse[i] = 0.15f;
  mat.blended = true;
  m.part(kPuffTexture, mat).triangles = makeQuad({0, 0}, kPuffSize, kPuffSize);
  return m;
}

void addSmokeImages(ArchiveContent& archive) {
  Canvas c(128, 128);
  paintCentred(c, [](double u, double v) {
    double r = std::sqrt(u * u + v * v);
    // Billowy rim: the radius where the puff fades wobbles with angle.
    double angle = std::atan2(v, u);
    double edge = 0.78 + 0.1 * std::sin(3 * angle + 0.5) + 0.06 * std::sin(7 * angle + 1.3);
    double body = std::clamp(1.0 - r / edge, 0.0, 1.0);
    double billow = fractalNoise(u * 3 + 7, v * 3 + 7, 41, 3);
    double alpha = std::pow(body, 0.9) * (0.3 + 0.7 * billow) * 0.55;
    if (r >= 0.98) alpha = 0;
    double shade = 0.42 + 0.2 * (1 - (v + 1) / 2) + 0.1 * billow;  // lighter on top
    return Rgba{shade, shade, shade * 1.02, alpha};
  });
  archive.addImage(kPuffTexture, c.png());
}
