#include "tools/assets/palette.h"

#include "app/scene_light.h"
#include "scene/light_one.h"

namespace {

// Light 1 stands at kLight1Position, about 22 units from the locomotive's
// centre, and fades with the square of the distance alone, so it arrives
// there 1 / (attenuation x distance squared), about 6.7, times as strong
// as its nominal colours: taken as the whole 7 the paints are matched to.
constexpr float kLightDistanceSquared = kLight1Position.x * kLight1Position.x +
                                        kLight1Position.y * kLight1Position.y +
                                        kLight1Position.z * kLight1Position.z;
constexpr float kLightGain =
    static_cast<int>(1.0f / (kLight1QuadraticAttenuation * kLightDistanceSquared) + 0.5f);

// There the light gives ambient ~0.9 (with the global 0.2), diffuse ~2.8
// and specular 3.5. A paint that should read as colour `c` on a surface
// half turned to the light therefore needs a diffuse reflectance of about
// c / 2.4 and half that as ambient, which keeps the shaded side at a fifth
// of the lit side; a highlight of strength h reaches h.
constexpr float kDiffuseFromColour = 1.0f / 2.4f;
constexpr float kAmbientShare = 0.55f;
constexpr float kSpecularGain = 1.0f / (kPlainLight1.specular[0] * kLightGain);

Material paint(float r, float g, float b, float highlight, float shininess) {
  Material m;
  float c[3] = {r, g, b};
  for (int i = 0; i < 3; ++i) {
    m.diffuse[i] = c[i] * kDiffuseFromColour;
    m.ambient[i] = m.diffuse[i] * kAmbientShare;
    m.specular[i] = highlight * kSpecularGain;
  }
  m.shininess = shininess;
  return m;
}

}  // namespace

namespace palette {

Material boilerGreen() { return paint(0.12f, 0.42f, 0.24f, 0.35f, 40); }
Material smokeboxBlack() { return paint(0.16f, 0.16f, 0.18f, 0.45f, 30); }
Material wheelRed() { return paint(0.85f, 0.12f, 0.08f, 0.3f, 25); }
Material frameRed() { return paint(0.7f, 0.1f, 0.07f, 0.25f, 20); }
Material steel() { return paint(0.75f, 0.77f, 0.8f, 0.8f, 60); }
Material darkSteel() { return paint(0.3f, 0.31f, 0.33f, 0.35f, 40); }
Material brass() { return paint(0.95f, 0.72f, 0.28f, 0.8f, 60); }
Material cabRoof() { return paint(0.2f, 0.2f, 0.21f, 0.2f, 20); }
Material wood() { return paint(0.6f, 0.42f, 0.28f, 0.05f, 10); }
Material coal() { return paint(0.3f, 0.3f, 0.32f, 0.6f, 70); }
Material glowWindow() {
  // Lamp glass and lit windows glow whatever the light: mostly ambient.
  return litMaterial(1.3f, 0.95f, 0.45f, 0.0f, 0);
}

Material plate() { return paint(1.0f, 1.0f, 1.0f, 0.5f, 40); }

}  // namespace palette

void addShape(Model& model, const char* texture, const Material& material,
              const TriangleList& shape, const Affine& where) {
  model.part(texture, material).triangles.append(shape, where);
}
