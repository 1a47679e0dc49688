#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/dimensions.h"
#include "tools/assets/palette.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"
#include "tools/assets/terrain_height.h"
#include "train/night_lights.h"

// The train's light at night, in the train's frame (X forward, Y across,
// Z up): "ogni", the glass, windows and fire that glow of themselves, drawn
// unlit over the lit parts they stand for; and the blended glows the saver
// grows at dusk: "fara_oreol" (the lamp's glare, facing the viewer),
// "fara_pyatno" (its pool of light on the snow ahead) and "okno_svet" (the
// warm light in a cab side window).

using namespace nightlights;

namespace {

// In front of the surface it stands for, so it wins the depth test there.
constexpr double kStandOff = 0.02;

double smoothstep(double u) {
  u = std::clamp(u, 0.0, 1.0);
  return u * u * (3 - 2 * u);
}

// A disc in the plane x = const facing +X, its texture covering it once.
TriangleList discFacingX(double x, double y, double z, double radius, int segments) {
  TriangleList out;
  Vec3 n{1, 0, 0};
  auto rim = [&](int k) {
    double a = 2 * kPi * k / segments;
    Vertex v;
    v.position = {x, y + radius * std::cos(a), z + radius * std::sin(a)};
    v.normal = n;
    v.s = 0.5 + 0.5 * std::cos(a);
    v.t = 0.5 - 0.5 * std::sin(a);
    return v;
  };
  Vertex centre;
  centre.position = {x, y, z};
  centre.normal = n;
  centre.s = centre.t = 0.5;
  for (int k = 0; k < segments; ++k) out.triangle(centre, rim(k), rim(k + 1));
  return out;
}

Model makeSelfLitParts() {
  Model m;
  Material plain = unlitMaterial();
  m.part("fara.png", plain).triangles =
      discFacingX(kLampGlassX + kStandOff, 0, kLampCentreZ, kLampGlassRadius, 20);
  TriangleList windows;
  for (double y : {-kSpectacleY, kSpectacleY})
    windows.append(discFacingX(kSpectacleX + kStandOff, y, kSpectacleZ, kSpectacleRadius, 20));
  m.part("okno.png", plain).triangles = windows;
  // The fire door inside the cab faces the cab's open back (-X).
  m.part("x#Fire64/64", plain).triangles =
      transformed(makeQuad({0, 0}, kCabFireWidth, kCabFireHeight),
                  compose(translation({kCabFireX - kStandOff, 0, kCabFireZ}),
                          compose(rotationZ(-90), rotationX(90))));
  return m;
}

// Lamp glass: white-hot in the middle, warm towards the rim.
std::vector<uint8_t> paintLampGlass() {
  Canvas c(64, 64);
  paintCentred(c, [](double u, double v) {
    double r = std::min(1.0, std::sqrt(u * u + v * v));
    double hot = 1 - smoothstep(r / 0.8);
    return Rgba{1.0, 0.86 + 0.14 * hot, 0.55 + 0.42 * hot, 1};
  });
  return c.png();
}

// A lit window: warm lamplight, a little brighter high up.
std::vector<uint8_t> paintWindowLight() {
  const int size = 32;
  Canvas c(size, size);
  c.flush();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double up = 1 - (y + 0.5) / size;
      c.setPixel(x, y, 1.0, 0.7 + 0.12 * up, 0.34 + 0.1 * up, 1);
    }
  c.markDirty();
  return c.png();
}

// The fire's glow spilling out of its door: orange, soft, no hot core.
std::vector<uint8_t> paintFireGlow() {
  Canvas c(64, 64);
  paintCentred(c, [](double u, double v) {
    double r2 = u * u + v * v;
    double a = r2 >= 1 ? 0 : 0.55 * std::exp(-r2 / 0.08) + 0.2 * std::exp(-r2 / 0.3);
    return Rgba{1.0, 0.55, 0.2, std::min(1.0, a)};
  });
  return c.png();
}

// Radial glare: a hot core in a wide soft halo.
std::vector<uint8_t> paintGlare() {
  Canvas c(128, 128);
  paintCentred(c, [](double u, double v) {
    double r2 = u * u + v * v;
    double a = 0.7 * std::exp(-r2 / 0.002) + 0.35 * std::exp(-r2 / 0.02) + 0.25 * std::exp(-r2 / 0.12);
    if (r2 >= 1) a = 0;
    return Rgba{1.0, 0.95, 0.82, std::min(1.0, a)};
  });
  return c.png();
}

// The pool of light: s along the beam from the lamp, t across it. Brightest
// a little ahead of the lamp, fading with distance and to both sides, and
// to nothing at its far end, so it never stops at an edge.
std::vector<uint8_t> paintPool() {
  const int w = 128, h = 64;
  Canvas c(w, h);
  c.flush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double s = (x + 0.5) / w, t = (y + 0.5) / h - 0.5;
      double along = smoothstep(s / 0.1) * std::exp(-2.0 * s) * (1 - smoothstep((s - 0.6) / 0.4));
      // Wide and soft across: seen along the ground from low down, a quick
      // fall to the sides would squeeze into a hard edge.
      double across = std::pow(std::max(0.0, 1 - 4 * t * t), 1.5);
      c.setPixel(x, y, 1.0, 0.92, 0.74, std::clamp(0.8 * along * across, 0.0, 1.0));
    }
  c.markDirty();
  return c.png();
}

// The ground the pool lies on: over the rails' tops between and around
// the rails (so they catch the light too), then the snow and ballast.
// Beyond the bed the ground of the pieces sliding under it rises and falls
// by up to a unit or two: there the pool lifts clear of the highest it
// gets, so no bank ever cuts it off in a hard line.
double poolHeight(double y) {
  const double overRails = dims::kRailTopZ + 0.15, railsHalf = 2.4, ramp = 3.5;
  const double bedEdge = 4.6, lift = 1.0;  // lift: units up per unit out
  double ground = std::max(ballastHeight(y), crossProfile(y)) + 0.15 + lift * std::max(0.0, std::fabs(y) - bedEdge);
  return overRails + (ground - overRails) * smoothstep((std::fabs(y) - railsHalf) / ramp);
}

// Beyond this the pool would reach ground whose rise it cannot clear.
constexpr double kPoolHalfWidth = 7.5;

// A strip from the lamp forward, widening with the beam; its origin lies
// under the lamp, where the node stands, so growing it along X reaches
// further ahead.
TriangleList poolStrip() {
  const int along = 24, across = 24;
  auto at = [&](int i, int j) {
    double x = kPoolLength * i / along;
    double halfWidth = std::min(1.4 + 0.3 * x, kPoolHalfWidth);
    double y = halfWidth * (2.0 * j / across - 1.0);
    Vertex v;
    v.position = {x, y, poolHeight(y)};
    v.normal = {0, 0, 1};
    v.s = double(i) / along;
    v.t = double(j) / across;
    return v;
  };
  TriangleList out;
  for (int i = 0; i < along; ++i)
    for (int j = 0; j < across; ++j) out.quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
  return out;
}

// Lamplight through a side window: a warm panel with soft edges, a little
// larger than the opening, whose frame hides the edges.
std::vector<uint8_t> paintWindowGlow() {
  const int w = 64, h = 64;
  Canvas c(w, h);
  c.flush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double u = std::fabs((x + 0.5) / w * 2 - 1), v = std::fabs((y + 0.5) / h * 2 - 1);
      double a = 0.78 * smoothstep((1 - u) / 0.3) * smoothstep((1 - v) / 0.3);
      c.setPixel(x, y, 1.0, 0.74, 0.4 - 0.1 * v, a);
    }
  c.markDirty();
  return c.png();
}

// Stood up in the XZ plane, facing +Y.
TriangleList windowPanel() {
  TriangleList quad = makeQuad({0, 0}, kCabWindowLength + 0.5, kCabWindowHeight + 0.4);
  return transformed(quad, compose(rotationZ(180), rotationX(90)));
}

Model blendedModel(const char* texture, const TriangleList& shape) {
  Model m;
  Material soft = unlitMaterial();
  soft.blended = true;
  m.part(texture, soft).triangles = shape;
  return m;
}

}  // namespace

void addNightLights(ArchiveContent& a) {
  a.addModel("ogni", makeSelfLitParts());
  a.addModel("fara_oreol", blendedModel("oreol.png", makeQuad({0, 0}, 7.0, 7.0)));
  a.addModel("fara_pyatno", blendedModel("pyatno.png", poolStrip()));
  a.addModel("okno_svet", blendedModel("okno_svet.png", windowPanel()));
  a.addModel("ogon_oreol", blendedModel("ogon.png", makeQuad({0, 0}, 6.0, 6.0)));
  a.addImage("fara.png", paintLampGlass());
  a.addImage("okno.png", paintWindowLight());
  a.addImage("oreol.png", paintGlare());
  a.addImage("pyatno.png", paintPool());
  a.addImage("okno_svet.png", paintWindowGlow());
  a.addImage("ogon.png", paintFireGlow());
}
