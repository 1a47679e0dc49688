#include <algorithm>
#include <cmath>

#include "scene/light_state.h"
#include "tools/assets/canvas.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// The sky's layers for the hours without the sun, drawn blended over "fon"
// with the weights of the light state: the starry night sky on "fon"'s own
// dome, the moon where the night's light comes from, and the glow over the
// horizon that the saver turns towards the sun below it. Also the flake of
// falling snow.

namespace {

// The moon stands in front of the dome (radius 185) and behind the forest's
// ring (160), above the hills.
constexpr double kMoonDistance = 180.0;
constexpr double kMoonSize = 11.0;  // the quad, halo included
// The glow's dome turns with the sun, so it cannot share the dome's
// triangles; 0.985 puts it about 3 units inside, well behind the hills (176).
constexpr double kGlowDomeShrink = 0.985;

// Elevation in degrees of a dome texture row t, as "fon"'s dome maps it:
// t = 0 at the zenith, and the horizon near t = 0.93.
double domeElevation(double t) {
  return ((1.0 - t) * (kPi / 2 + 0.12) - 0.12) * 180.0 / kPi;
}

// The night sky spends its rows on the sky the camera can see, which
// looks down on the land: from just under the horizon to this elevation
// (radians); above it the top row is stretched over the zenith. Stars on
// "fon"'s own mapping came out as streaks several times taller than wide.
constexpr double kNightSkyTop = 0.8;

double nightSkyElevation(double t) {
  return ((1.0 - t) * (kNightSkyTop + 0.12) - 0.12) * 180.0 / kPi;
}

double smoothstep(double u) {
  u = std::clamp(u, 0.0, 1.0);
  return u * u * (3 - 2 * u);
}

// "fon"'s dome, the same triangles, with t running from the night sky's
// top (0) to the dome's foot (1).
TriangleList nightDome() {
  TriangleList dome = skyDome();
  const double horizonT = 1.0 - 0.12 / (kNightSkyTop + 0.12);
  for (Vertex& v : dome.vertices) {
    double elevation = std::atan2(v.position.z, std::hypot(v.position.x, v.position.y));
    v.t = v.position.z < -1e-9 ? domeWallT(v.position.z, horizonT)
                               : std::clamp(1.0 - (elevation + 0.12) / (kNightSkyTop + 0.12), 0.0, 1.0);
  }
  return dome;
}

// Deep blue overhead, a paler band of haze over the horizon, and stars that
// thin out towards it. The dome's s runs twice round, so the stars repeat
// on the far side, which never shows at the same time.
std::vector<uint8_t> paintNightSky() {
  const int w = 1024, h = 512;
  std::vector<double> rgb(size_t(w) * h * 3);
  auto at = [&](int x, int y) { return &rgb[(size_t(y) * w + x) * 3]; };
  for (int y = 0; y < h; ++y) {
    double e = nightSkyElevation((y + 0.5) / h);
    double haze = std::exp(-std::max(e, 0.0) / 9.0);
    double base[3] = {0.018 + 0.07 * haze, 0.026 + 0.085 * haze, 0.075 + 0.12 * haze};
    for (int x = 0; x < w; ++x) {
      double cloud = fractalNoise(x / 64.0, y / 90.0, 211, 4, 16);
      double veil = std::clamp((cloud - 0.55) * 0.6, 0.0, 0.12) * (0.4 + haze);
      double* p = at(x, y);
      p[0] = base[0] + veil, p[1] = base[1] + veil, p[2] = base[2] + veil * 1.3;
    }
  }
  // Stars: soft dots a texel or two across, a few bright ones among many
  // faint, dimmer only in the haze just over the horizon: the camera looks
  // down on the land, so the sky it sees is mostly the lowest 20 degrees.
  for (int i = 0; i < 1300; ++i) {
    double sx = hashUnit(i, 1, 221) * w, sy = (0.02 + 0.98 * hashUnit(i, 2, 221)) * h;
    double e = nightSkyElevation(sy / h);
    if (e < 1.5) continue;
    double bright = (std::pow(hashUnit(i, 3, 221), 4.0) * 0.9 + 0.3) * smoothstep((e - 1.5) / 5.0);
    double warmth = hashUnit(i, 4, 221);
    double tone[3] = {0.85 + 0.15 * warmth, 0.9, 1.0 - 0.12 * warmth};
    double radius = bright > 0.6 ? 1.1 : 0.75;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        int px = int(sx) + dx, py = int(sy) + dy;
        if (py < 0 || py >= h) continue;
        double ox = px + 0.5 - sx, oy = py + 0.5 - sy;
        double glow = bright * std::exp(-(ox * ox + oy * oy) / (radius * radius));
        double* p = at((px + w) % w, py);
        for (int k = 0; k < 3; ++k) p[k] += glow * tone[k];
      }
  }
  Canvas c(w, h);
  c.flush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double* p = at(x, y);
      c.setPixel(x, y, std::min(1.0, p[0]), std::min(1.0, p[1]), std::min(1.0, p[2]), 1);
    }
  c.markDirty();
  return c.png();
}

// The glow over the horizon where the sun is below it: orange low down,
// pink higher up, fading to nothing a quarter of the way round either side
// and 30 degrees up. s = 0.5 is the sun's bearing.
std::vector<uint8_t> paintHorizonGlow() {
  const int w = 512, h = 128;
  Canvas c(w, h);
  c.flush();
  for (int y = 0; y < h; ++y) {
    double e = domeElevation((y + 0.5) / h);
    double height = std::exp(-std::max(e, 0.0) / 11.0) * (e < -3 ? 0.4 : 1.0);
    double pink = smoothstep((e - 2.0) / 12.0);
    double low[3] = {1.0, 0.56, 0.28}, high[3] = {0.86, 0.58, 0.62};
    for (int x = 0; x < w; ++x) {
      double bearing = ((x + 0.5) / w - 0.5) * 360.0;
      double around = std::exp(-std::pow(bearing / 62.0, 2.0));
      double alpha = std::clamp(0.92 * height * (0.25 + 0.75 * around) * (0.35 + 0.65 * around), 0.0, 1.0);
      double rgb[3];
      for (int k = 0; k < 3; ++k) rgb[k] = low[k] + (high[k] - low[k]) * pink;
      c.setPixel(x, y, rgb[0], rgb[1], rgb[2], alpha);
    }
  }
  c.markDirty();
  return c.png();
}

// "fon"'s dome a little smaller, so that turned to any bearing it stays in
// front of the dome and behind the hills, with s once round, 0.5 towards +Y
// (bearing 0): the glow's texture then sits where the saver turns it.
// Triangles across the seam behind keep increasing s, which the texture's
// repeat takes back.
TriangleList glowDome() {
  TriangleList dome = skyDome();
  for (Vertex& v : dome.vertices) {
    v.s = 0.5 + std::atan2(v.position.x, v.position.y) / (2 * kPi);
    v.position = v.position * kGlowDomeShrink;
  }
  for (size_t k = 0; k + 2 < dome.vertices.size(); k += 3) {
    Vertex* tri = &dome.vertices[k];
    double high = std::max({tri[0].s, tri[1].s, tri[2].s});
    for (int i = 0; i < 3; ++i)
      if (high - tri[i].s > 0.5) tri[i].s += 1.0;
  }
  return dome;
}

// A full moon with faint seas, in a soft halo of moonlit haze.
std::vector<uint8_t> paintMoon() {
  const int size = 128;
  Canvas c(size, size);
  c.flush();
  const double disc = 0.3;  // of the quad's half width
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double u = (x + 0.5) / size * 2 - 1, v = (y + 0.5) / size * 2 - 1;
      double r = std::sqrt(u * u + v * v);
      double halo = 0.35 * std::exp(-std::pow((r - disc) / 0.22, 2.0)) * (r > disc ? 1 : 0);
      double edge = smoothstep((disc - r) / 0.02);
      double seas = fractalNoise(u * 5 + 3, v * 5 + 3, 231, 3);
      double shade = 0.93 - 0.2 * smoothstep((seas - 0.45) * 4);
      double a = std::max(edge, halo * (1 - edge));
      double k = edge > 0 ? shade : 0.8;
      c.setPixel(x, y, k * 0.98, k * 0.98, k, a);
    }
  c.markDirty();
  return c.png();
}

TriangleList moonQuad() {
  double b = radians(kMoonBearing), e = radians(kMoonElevation);
  Vec3 towards{std::sin(b) * std::cos(e), std::cos(b) * std::cos(e), std::sin(e)};
  // Its face turned to the landscape's origin, where the train stands.
  return transformed(makeQuad({0, 0}, kMoonSize, kMoonSize),
                     alongAxis(towards * kMoonDistance, towards * -1.0));
}

// A falling flake as the snowfall pass draws it: a soft round dot.
std::vector<uint8_t> paintFlake() {
  Canvas c(32, 32);
  paintCentred(c, [](double u, double v) {
    double r = std::sqrt(u * u + v * v);
    return Rgba{1, 1, 1, smoothstep((1.0 - r) / 0.75)};
  });
  return c.png();
}

}  // namespace

void addNightSky(ArchiveContent& a) {
  Model night, glow, moon, flake;
  night.part("nebo_noch.png", unlitMaterial()).triangles = nightDome();
  glow.part("nebo_zarya.png", unlitMaterial()).triangles = glowDome();
  moon.part("luna.png", unlitMaterial()).triangles = moonQuad();
  // One flake, to name the texture the snowfall pass draws every flake with.
  flake.part("snezhinka.png", unlitMaterial()).triangles = makeQuad({0, 0}, 0.2, 0.2);
  a.addModel("nebo_noch", night);
  a.addModel("nebo_zarya", glow);
  a.addModel("luna", moon);
  a.addModel("sneg", flake);
  a.addImage("nebo_noch.png", paintNightSky());
  a.addImage("nebo_zarya.png", paintHorizonGlow());
  a.addImage("luna.png", paintMoon());
  a.addImage("snezhinka.png", paintFlake());
}
