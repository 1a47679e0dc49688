#include <cmath>

#include "tools/assets/palette.h"
#include "tools/assets/parts.h"
#include "tools/assets/plant_textures.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// Roadside plants, origin at the foot, Z up. The scene stretches each in Z
// by 0.80 to 1.29, so base heights sit a little above the train's 12 units
// for firs, below it for leafy trees, and at a man's height for bushes.
// Trunks reach a unit below the origin so that a foot on a slope never
// floats. Cut-out foliage uses the alpha test.

namespace {

constexpr double kFirHeight = 15.0;
constexpr double kTreeHeight = 11.5;
constexpr double kBushHeight = 4.4;
constexpr double kBuriedDepth = 1.0;

// Plants stand from 25 to 150 units from the light, whose quadratic
// fall-off spans a factor of thirty over that range. Mostly ambient
// reflectance (lit also by the unattenuated global ambient) keeps distant
// trees from going black while near ones saturate only on the snow.
Material foliage() {
  Material m = litMaterial(2.4f, 2.4f, 2.4f, 0.0f, 5);
  for (int i = 0; i < 3; ++i) m.diffuse[i] = 0.3f;
  m.alphaTest = true;
  return m;
}

Material bark() {
  Material m = litMaterial(2.2f, 2.2f, 2.2f, 0.0f, 5);
  for (int i = 0; i < 3; ++i) m.diffuse[i] = 0.3f;
  return m;
}

// A drooping skirt of branches: apex at `top`, rim of `radius` at `base`.
// s wraps around the tier `repeats` times, t runs apex (0) to rim (1).
TriangleList firTier(double base, double top, double radius, int segments, int repeats, double twist) {
  TriangleList out;
  const double rings[][2] = {{0.0, 0.0}, {0.55, 0.62}, {1.0, 1.0}};  // (radius fraction, drop fraction)
  for (int k = 0; k < segments; ++k)
    for (int r = 0; r < 2; ++r) {
      auto at = [&](int kk, int rr) {
        double a = 2 * kPi * kk / segments + twist;
        double rf = rings[rr][0], drop = rings[rr][1];
        double z = top - (top - base) * (drop + 0.12 * rf * rf);  // tips droop a little
        Vertex v;
        v.position = {radius * rf * std::cos(a), radius * rf * std::sin(a), z};
        double slope = radius / (top - base);
        v.normal = normalized({std::cos(a), std::sin(a), slope * 1.2});
        v.s = double(kk) / segments * repeats;
        v.t = rr == 0 ? 0.0 : (rr == 1 ? 0.55 : 0.985);
        return v;
      };
      out.quad(at(k, r), at(k, r + 1), at(k + 1, r + 1), at(k + 1, r));
    }
  return out;
}

Model firModel() {
  Model m;
  addShape(m, "bark.png", bark(), makeCylinder(0.45, 3.5 + kBuriedDepth, 8, false, 1.0),
           translation({0, 0, -kBuriedDepth}));
  const int tiers = 7;
  for (int i = 0; i < tiers; ++i) {
    double f = double(i) / (tiers - 1);             // 0 at the bottom tier
    double base = 1.6 + (kFirHeight - 4.2) * std::pow(f, 0.9);
    double radius = 4.6 * (1 - f) + 1.0;
    double top = base + 2.4 + 1.6 * (1 - f) + (i == tiers - 1 ? 1.4 : 0);
    addShape(m, "fir.png", foliage(), firTier(base, top, radius, 12, 3, i * 0.7));
  }
  return m;
}

// A tapering limb from `from` along `dir` (unit length), as a cylinder.
void limb(Model& m, const char* texture, Vec3 from, Vec3 dir, double length, double radius) {
  TriangleList c = makeLathe({{radius, 0}, {radius * 0.55, length}}, 7, false, 3.0);
  m.part(texture, bark()).triangles.append(c, alongAxis(from, dir));
}

// Three upright cards crossing on the Z axis, each showing the twigs.
void twigCards(Model& m, const char* texture, double width, double height, double z0) {
  for (int i = 0; i < 3; ++i) {
    TriangleList card = makeQuad({0, height / 2}, width, height);
    m.part(texture, foliage()).triangles.append(
        card, compose(translation({0, 0, z0}), compose(rotationZ(60.0 * i + 15), rotationX(90))));
  }
}

Model birchModel() {
  Model m;
  limb(m, "birch.png", {0, 0, -kBuriedDepth}, {0.04, 0, 1}, kTreeHeight * 0.75 + kBuriedDepth, 0.42);
  for (int i = 0; i < 5; ++i) {
    double a = 2 * kPi * i / 5 + 0.4;
    double z = 3.6 + 1.1 * i;
    limb(m, "birch.png", {0.04 * z, 0, z}, normalized({std::cos(a), std::sin(a), 1.5}), 3.2 - 0.3 * i, 0.2);
  }
  twigCards(m, "twigs.png", kTreeHeight * 0.85, kTreeHeight * 0.78, kTreeHeight * 0.26);
  return m;
}

Model bushModel() {
  Model m;
  twigCards(m, "bushtwigs.png", kBushHeight * 1.5, kBushHeight, -0.3);
  // A second, lower ring of cards turned between the first fills the
  // bush out at its foot.
  for (int i = 0; i < 3; ++i) {
    TriangleList card = makeQuad({0, kBushHeight * 0.32}, kBushHeight * 1.1, kBushHeight * 0.64);
    m.part("bushtwigs.png", foliage()).triangles.append(
        card, compose(translation({0, 0, -0.3}), compose(rotationZ(60.0 * i + 45), rotationX(90))));
  }
  return m;
}

}  // namespace

void addPlants(ArchiveContent& a) {
  a.addModel("elka", firModel());
  a.addModel("derevo", birchModel());
  a.addModel("kust", bushModel());
  a.addImage("fir.png", paintFirSkirt());
  a.addImage("bark.png", paintBark());
  a.addImage("birch.png", paintBirchBark());
  a.addImage("twigs.png", paintTwigs(false));
  a.addImage("bushtwigs.png", paintTwigs(true));
}
