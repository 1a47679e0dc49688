#include "tools/assets/snow_paint.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/ground_marks.h"
#include "tools/assets/height_grid.h"
#include "tools/assets/snow_detail.h"
#include "tools/assets/snow_light.h"

namespace {

// How far the shelter of hollows and banks reaches, in scene units.
constexpr double kShelterRadius = 12.0;
// Spacing of the relief and shelter samples, in scene units.
constexpr double kGridStep = 0.5;

double smoothstep(double u) {
  u = std::clamp(u, 0.0, 1.0);
  return u * u * (3 - 2 * u);
}

// How much of the surface detail shows at a distance: all of it near the
// track, none where the ground meets the background's field.
double detailShown(double distance) { return 1 - smoothstep((distance - 55) / 50); }

// Packed and loose snow side by side: a faint, patchy change of
// brightness a couple of units across and a finer grain within it, both
// fading with the detail.
double packedSnow(const SnowGround& g, double x, double y) {
  const int patches = int(std::round(g.width / 2.0)), grains = int(std::round(g.width / 0.9));
  double u = (x - g.x0) / g.width;
  double patch = fractalNoise(u * patches, y / 2.0, g.seed + 40, 2, patches) - 0.5;
  double grain = valueNoise(u * grains, y / 0.9, g.seed + 41, grains) - 0.5;
  return 1 + (0.09 * patch + 0.06 * grain) * detailShown(g.distance(x, y));
}

// How much of the light reaches (x, y) past the posts: 1 where no post's
// shadow or hollow lies.
double postShade(const SnowGround& g, double x, double y) {
  static const Vec3 sun = sunDirection();
  const double across = std::hypot(sun.x, sun.y);
  const double awayX = -sun.x / across, awayY = -sun.y / across;
  const double reach = g.postHeight * across / sun.z;
  double light = 1;
  for (const Vec2& p : g.posts) {
    double dx = x - p.x, dy = y - p.y;
    double along = dx * awayX + dy * awayY, side = (dy * awayX - dx * awayY) / 0.35;
    if (along > -0.5 && along < reach) {
      double strength = smoothstep((along + 0.5) / 0.6) * (1 - smoothstep((along - 0.5 * reach) / (0.5 * reach)));
      light *= 1 - 0.32 * strength * std::exp(-side * side);
    }
    double r2 = (dx * dx + dy * dy) / (0.9 * 0.9);
    light *= 1 - 0.25 * std::exp(-r2);
  }
  return light;
}

// Heights of the wind detail (and the ski track) at every texel centre,
// with a one-texel border for slopes.
struct DetailGrid {
  int n;
  std::vector<double> h;
  double at(int i, int j) const { return h[size_t(j + 1) * n + (i + 1)]; }
};

DetailGrid detailGrid(const SnowGround& g) {
  SnowDetail detail(g.x0, g.width, g.seed);
  DetailGrid grid{g.size + 2, {}};
  grid.h.resize(size_t(grid.n) * grid.n);
  double dx = g.width / g.size, dy = g.depth / g.size;
  for (int j = -1; j <= g.size; ++j)
    for (int i = -1; i <= g.size; ++i) {
      double x = g.x0 + (i + 0.5) * dx, y = g.y0 + (j + 0.5) * dy;
      double h = detail.height(x, y);
      if (g.trackside) h += skiTrack(g.x0, g.width, x, y);
      grid.h[size_t(j + 1) * grid.n + (i + 1)] = h * detailShown(g.distance(x, y));
    }
  return grid;
}

}  // namespace

std::vector<uint8_t> paintSnowGround(const SnowGround& g) {
  const double margin = kShelterRadius + 2;
  HeightGrid relief(g.height, g.x0 - margin, g.x0 + g.width + margin, g.y0 - margin, g.y0 + g.depth + margin,
                    kGridStep);
  auto shelterAt = [&](double x, double y) { return skyView(relief, x, y, kShelterRadius); };
  HeightGrid sky(shelterAt, g.x0 - 1, g.x0 + g.width + 1, g.y0 - 1, g.y0 + g.depth + 1, kGridStep);
  DetailGrid detail = detailGrid(g);
  double dx = g.width / g.size, dy = g.depth / g.size;
  Canvas c(g.size, g.size);
  c.flush();
  for (int j = 0; j < g.size; ++j)
    for (int i = 0; i < g.size; ++i) {
      double x = g.x0 + (i + 0.5) * dx, y = g.y0 + (j + 0.5) * dy;
      const double e = kGridStep;
      double gx = (relief.at(x + e, y) - relief.at(x - e, y)) / (2 * e);
      double gy = (relief.at(x, y + e) - relief.at(x, y - e)) / (2 * e);
      double sx = gx + (detail.at(i + 1, j) - detail.at(i - 1, j)) / (2 * dx);
      double sy = gy + (detail.at(i, j + 1) - detail.at(i, j - 1)) / (2 * dy);
      // Troughs of the detail hold a little shade of their own.
      double curvature = (detail.at(i + 1, j) + detail.at(i - 1, j) - 2 * detail.at(i, j)) / (dx * dx) +
                         (detail.at(i, j + 1) + detail.at(i, j - 1) - 2 * detail.at(i, j)) / (dy * dy);
      double open = std::clamp(sky.at(x, y) - 0.04 * std::max(0.0, curvature), 0.0, 1.0);
      double rgb[3];
      snowColour(normalized({-gx, -gy, 1}), normalized({-sx, -sy, 1}), open, rgb);
      double packed = packedSnow(g, x, y);
      for (double& v : rgb) v *= packed;
      // A shadow keeps the sky's blue and loses the sun's warmth.
      double shade = 1 - postShade(g, x, y);
      const double kShadowLoss[3] = {1.0, 0.9, 0.65};
      for (int k = 0; k < 3; ++k) rgb[k] *= 1 - kShadowLoss[k] * shade;
      applyHaze(hazeAt(g.distance(x, y)), rgb);
      c.setPixel(i, j, rgb[0], rgb[1], rgb[2], 1);
    }
  c.markDirty();
  if (g.trackside) paintCrestMarks(c, g, relief);
  return c.png();
}
