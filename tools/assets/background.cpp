#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/dimensions.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"
#include "tools/assets/snow_light.h"
#include "tools/assets/snow_paint.h"
#include "tools/assets/terrain_height.h"

// "fon": the world around the terrain, drawn first and unlit. Centred on
// the landscape origin: a sky dome, a ring of distant hills and a ring of
// forest standing on a snowfield that continues the terrain's cross
// profile. The eye stays within 53 units of the origin and sees at most
// 250 units, so everything here lies within 185 of the origin.

namespace {

constexpr double kDomeRadius = 185.0;
constexpr double kDomeFootZ = -60.0;  // the wall's foot, far under any ground
constexpr double kHillsRadius = 176.0;
constexpr double kForestRadius = 160.0;
constexpr double kFieldDrop = 1.0;  // below the terrain's end profile
// How much haze lies over the forest: less than over the snow at its foot,
// so the dark trees still stand out.
constexpr double kForestHaze = 0.3;

// The strip of the landscape that some terrain piece covers at every
// moment: pieces follow each other without gaps along x.
bool underPieces(double x, double y) {
  return x > dims::kTerrainStartX + 4 && x < dims::kTerrainStartX + dims::kTerrainLength - 4 &&
         std::fabs(y) < dims::kTerrainHalfWidth - 4;
}

// The snowfield: the terrain's cross profile, a little lower so pieces
// always win the depth test where they exist. Inside the strip that a
// piece always covers it sinks out of sight.
double fieldHeight(double x, double y) {
  return crossProfile(y) - kFieldDrop - (underPieces(x, y) ? 30.0 : 0.0);
}

// Grid lines for the snowfield: every 20 units, plus lines 5 units either
// side of where the sunken strip begins, so the drop happens under the
// terrain and never beyond a piece's edge.
std::vector<double> fieldLines(std::vector<double> extra) {
  std::vector<double> lines = extra;
  for (double v = -kDomeRadius; v <= kDomeRadius + 1e-9; v += 2 * kDomeRadius / 18) lines.push_back(v);
  std::sort(lines.begin(), lines.end());
  std::vector<double> unique;
  for (double v : lines)
    if (unique.empty() || v - unique.back() > 1.0) unique.push_back(v);
  return unique;
}

// The snowfield over the square around the dome, its points beyond the
// dome's radius pulled in onto its rim, so the field ends at the dome's wall
// and nothing lies further out. Cells sunk under the pieces all round are
// left out: the terrain always hides them, yet the rasteriser would fill
// them first, about as many fragments as the rest of the background.
TriangleList snowfield() {
  const double x0 = dims::kTerrainStartX, x1 = dims::kTerrainStartX + dims::kTerrainLength;
  const double w = dims::kTerrainHalfWidth;
  std::vector<double> xs = fieldLines({x0 - 5, x0, x0 + 5, x1 - 5, x1, x1 + 5});
  std::vector<double> ys = fieldLines({-w - 5, -w, -w + 5, w - 5, w, w + 5});
  auto at = [&](double x, double y) {
    double r = std::hypot(x, y);
    if (r > kDomeRadius) x *= kDomeRadius / r, y *= kDomeRadius / r;
    Vertex v;
    v.position = {x, y, fieldHeight(x, y)};
    v.normal = {0, 0, 1};
    v.s = (x + kDomeRadius) / (2 * kDomeRadius);
    v.t = (y + kDomeRadius) / (2 * kDomeRadius);
    return v;
  };
  TriangleList out;
  for (size_t j = 0; j + 1 < ys.size(); ++j)
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      if (underPieces(xs[i], ys[j]) && underPieces(xs[i + 1], ys[j]) && underPieces(xs[i + 1], ys[j + 1]) &&
          underPieces(xs[i], ys[j + 1]))
        continue;
      out.quad(at(xs[i], ys[j]), at(xs[i + 1], ys[j]), at(xs[i + 1], ys[j + 1]), at(xs[i], ys[j + 1]));
    }
  return out;
}

}  // namespace

namespace {

// The lowest the snowfield's rim comes within 20 degrees either side of
// azimuth `a` (radians), less a margin: the rim runs in chords between its
// points, a few degrees apart, which never stray that far from it.
double fieldRimLowNear(double a) {
  double low = INFINITY;
  for (double d = -20; d <= 20; d += 0.5)
    low = std::min(low, crossProfile(kDomeRadius * std::sin(a + d * kPi / 180)) - kFieldDrop);
  return low - 3.0;
}

}  // namespace

double domeWallT(double z, double horizonT) { return 1.0 + (horizonT - 1.0) * (z - kDomeFootZ) / -kDomeFootZ; }

TriangleList skyDome() {
  std::vector<Vec2> profile;
  profile.push_back({kDomeRadius, kDomeFootZ});
  for (int i = 0; i <= 12; ++i) {
    double a = kPi / 2 * i / 12;
    profile.push_back({kDomeRadius * std::cos(a), kDomeRadius * std::sin(a)});
  }
  TriangleList dome = makeLathe(profile, 48, false, 1.0);
  // t: 0 at the zenith, 1 at the foot; s goes twice round with the
  // azimuth, taken from the lathe's own s (4 per turn) so the seam between
  // the last and first segment keeps increasing values.
  for (Vertex& v : dome.vertices) {
    double elevation = std::atan2(v.position.z, std::hypot(v.position.x, v.position.y));
    v.t = std::clamp(1.0 - (elevation + 0.12) / (kPi / 2 + 0.12), 0.0, 1.0);
    v.s *= 0.5;
  }
  // The wall below the horizon ends a little under the snowfield's rim
  // instead of at the foot: from inside, the field always hides what lies
  // below its rim.
  const double horizonT = 1.0 - 0.12 / (kPi / 2 + 0.12);
  for (Vertex& v : dome.vertices) {
    if (v.position.z > kDomeFootZ + 1e-9) continue;
    v.position.z = std::min(fieldRimLowNear(std::atan2(v.position.y, v.position.x)), -1.0);
    v.t = domeWallT(v.position.z, horizonT);
  }
  return dome;
}

namespace {

// A band standing on the snowfield at `radius`, `height` tall, its texture
// wrapping `repeats` times around.
TriangleList ring(double radius, double height, double sink, int segments, int repeats) {
  TriangleList out;
  for (int k = 0; k < segments; ++k) {
    auto at = [&](int kk, bool up) {
      double a = 2 * kPi * kk / segments;
      double x = radius * std::cos(a), y = radius * std::sin(a);
      double ground = crossProfile(y) - kFieldDrop - sink;
      Vertex v;
      v.position = {x, y, up ? ground + height : ground};
      v.normal = {-std::cos(a), -std::sin(a), 0};
      v.s = double(kk) / segments * repeats;
      v.t = up ? 0.0 : 1.0;
      return v;
    };
    out.quad(at(k, false), at(k, true), at(k + 1, true), at(k + 1, false));
  }
  return out;
}

// A winter afternoon sky: deep blue overhead to a pale, faintly warm haze
// at the horizon, with long soft cloud banks low down. Repeats along s.
std::vector<uint8_t> paintSky() {
  const int w = 512, h = 256;
  Canvas c(w, h);
  c.flush();
  for (int y = 0; y < h; ++y) {
    double t = y / double(h - 1);  // 0 zenith, 1 below the horizon
    double haze = std::pow(t, 2.2);
    double sky[3] = {0.30 + 0.66 * haze, 0.46 + 0.40 * haze, 0.74 + 0.10 * haze};
    // Clouds gather between about 30 and 5 degrees above the horizon.
    double band = std::clamp(1.0 - std::fabs(t - 0.78) / 0.16, 0.0, 1.0);
    for (int x = 0; x < w; ++x) {
      double u = double(x) / w;
      double n = fractalNoise(u * 16, t * 10, 141, 5, 16);
      double cover = std::clamp((n - 0.52) * 3.2, 0.0, 1.0) * band;
      double lit = 0.93 + 0.05 * fractalNoise(u * 32, t * 20, 142, 2, 32);
      double cloud[3] = {lit, lit * 0.93, lit * 0.95};  // warm-lit tops
      double rgb[3];
      for (int k = 0; k < 3; ++k) rgb[k] = sky[k] + (cloud[k] - sky[k]) * cover * 0.8;
      c.setPixel(x, y, rgb[0], rgb[1], rgb[2], 1);
    }
  }
  c.markDirty();
  return c.png();
}

// Distant hills: soft snowy ridges, blue with distance.
std::vector<uint8_t> paintHills() {
  const int w = 1024, h = 128;
  Canvas c(w, h);
  c.flush();
  for (int x = 0; x < w; ++x) {
    double u = double(x) / w;
    double ridge = 0.25 + 0.45 * fractalNoise(u * 6, 0.5, 111, 4, 6);
    for (int y = 0; y < h; ++y) {
      double t = double(y) / h;  // 0 top
      double alpha = (1 - t) < ridge ? 1.0 : 0.0;
      double shade = 0.80 + 0.12 * fractalNoise(u * 40, t * 6, 112, 3, 40);
      c.setPixel(x, y, shade * 0.86, shade * 0.9, shade * 1.0, alpha);
    }
  }
  c.markDirty();
  return c.png();
}

// Sets the cairo source to a colour (0..255) of the forest, hazed as
// things at its distance are.
void setHazedRgb(cairo_t* cr, int r, int g, int b) {
  double rgb[3] = {r / 255.0, g / 255.0, b / 255.0};
  applyHaze(kForestHaze, rgb);
  cairo_set_source_rgb(cr, rgb[0], rgb[1], rgb[2]);
}

// A point of the forest's canvas, in pixels.
struct Px {
  double x, y;
};

// One side of a distant fir's outline from the top down (side +1 the
// right, -1 the left): each tier of branches droops to a ragged tip and
// comes back in to the stem a little higher, where the next tier starts.
// `spread` is the fir's half width over its height, from a slim spruce to
// a broad old fir.
std::vector<Px> firSide(Px foot, double height, double spread, double side, int tiers, uint32_t seed) {
  std::vector<Px> out;
  double half = height * spread;
  for (int k = 1; k <= tiers; ++k) {
    double f = double(k) / tiers, jag = 0.75 + 0.5 * hashUnit(k, side > 0 ? 1 : 2, seed);
    double tipY = foot.y - height * (1 - f) * 0.92 + 3;
    out.push_back({foot.x + side * half * std::pow(f, 0.85) * jag, tipY});
    out.push_back({foot.x + side * half * f * 0.5, tipY - 4});
  }
  return out;
}

// Snow on the upper side of some of a fir's boughs: a sliver from where a
// bough leaves the stem to its tip, thickest towards the tip and partly
// see-through, so it lightens the bough rather than drawing a white dash
// (the ring stretches the canvas several times across on the screen).
void firSnow(cairo_t* cr, Px top, const std::vector<Px>& side, uint32_t seed) {
  for (size_t k = 0; 2 * k < side.size(); ++k) {
    if (hashUnit(int(k), 10, seed) < 0.4) continue;
    Px inner = k == 0 ? top : side[2 * k - 1], tip = side[2 * k];
    cairo_move_to(cr, inner.x, inner.y);
    cairo_line_to(cr, tip.x, tip.y);
    cairo_line_to(cr, inner.x + 0.6 * (tip.x - inner.x), inner.y + 0.6 * (tip.y - inner.y) + 2.5);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
}

// One distant fir standing at `foot`, in the current source colour, with
// snow on its boughs when `snowy`.
void fir(cairo_t* cr, Px foot, double height, double spread, bool snowy, uint32_t seed) {
  const int tiers = 7 + int(3 * hashUnit(1, 3, seed));
  std::vector<Px> right = firSide(foot, height, spread, 1, tiers, seed);
  std::vector<Px> left = firSide(foot, height, spread, -1, tiers, seed);
  Px top = {foot.x, foot.y - height};
  double stem = height * spread * 0.25;
  cairo_move_to(cr, top.x, top.y);
  for (const Px& p : right) cairo_line_to(cr, p.x, p.y);
  cairo_line_to(cr, foot.x + stem, foot.y + 4);
  cairo_line_to(cr, foot.x - stem, foot.y + 4);
  for (auto p = left.rbegin(); p != left.rend(); ++p) cairo_line_to(cr, p->x, p->y);
  cairo_close_path(cr);
  cairo_fill(cr);
  if (!snowy) return;
  double snow[3] = {226 / 255.0, 234 / 255.0, 244 / 255.0};
  applyHaze(kForestHaze, snow);
  cairo_set_source_rgba(cr, snow[0], snow[1], snow[2], 0.6);
  firSnow(cr, top, right, seed);
  firSnow(cr, top, left, seed + 1);
}

// A bare birch or alder crown: a soft heap of rounded twiggy masses over
// a short stem, foot at (cx, foot).
void crownSilhouette(cairo_t* cr, double cx, double foot, double height, uint32_t seed) {
  double width = height * (0.45 + 0.2 * hashUnit(2, 1, seed));
  cairo_rectangle(cr, cx - 1.5, foot - height * 0.35, 3, height * 0.35 + 4);
  cairo_fill(cr);
  for (int k = 0; k < 6; ++k) {
    double u = hashUnit(k, 3, seed) - 0.5, v = hashUnit(k, 4, seed);
    double r = width * (0.28 + 0.16 * hashUnit(k, 5, seed));
    cairo_arc(cr, cx + u * width * 0.9, foot - height * (0.45 + 0.3 * v), r, 0, 2 * kPi);
    cairo_fill(cr);
  }
}

// One row of the forest edge: its trees' number, the tallest's share of
// the canvas's height, how far above the forest's foot they stand (in
// pixels) and their colour before haze.
struct ForestRow {
  int trees;
  double tallest, base;
  int r, g, b;
};

// Tree `i` of a row, drawn three times so the ring wraps round its seam.
// Stands of tall trees and lower growth repeat round the ring; the back
// rows thin out in clearings and mix bare crowns among their firs; only
// the front row, nearest and darkest, shows snow on its boughs.
void forestTree(cairo_t* cr, const ForestRow& r, int row, int i, double foot, Px canvas) {
  uint32_t seed = 1000u * uint32_t(row) + uint32_t(i);
  double x = (i + hashUnit(i, row, 121)) * canvas.x / r.trees;
  double stand = fractalNoise(x / canvas.x * 12, row * 3.0, 125, 2, 12);
  bool back = row < 2;
  if (back && stand < 0.3 && hashUnit(i, 8, 126) < 0.6) return;  // a clearing
  double height = canvas.y * r.tallest * (0.45 + 0.35 * stand + 0.2 * hashUnit(i, 5, 122));
  bool crown = back && hashUnit(i, 9, 127) < 0.3;
  double spread = 0.22 + 0.14 * hashUnit(i, 6, 123);
  double tint = 0.9 + 0.2 * hashUnit(i, 7, 124);
  for (int copy = -1; copy <= 1; ++copy) {
    double at = x + copy * canvas.x;
    if (crown) {
      setHazedRgb(cr, int((r.r + 14) * tint), int((r.g + 2) * tint), int((r.b + 4) * tint));
      crownSilhouette(cr, at, foot - r.base, height * 0.8, seed);
    } else {
      setHazedRgb(cr, int(r.r * tint), int(r.g * tint), int(r.b * tint));
      fir(cr, {at, foot - r.base}, height, spread, !back, seed);
    }
  }
}

// The forest edge: three rows of trees, the further ones paler with
// distance, over a solid foot so nothing shows through below the tree
// line. Broad firs and slim spruces mix with bare crowns and the height of
// the stands rises and falls, so the tree line reads as a forest rather
// than a row of spikes even where it runs along the picture's top.
std::vector<uint8_t> paintForest() {
  const int w = 2048, h = 256;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  const double foot = h * 0.8;
  const ForestRow rows[] = {{170, 0.5, 6, 128, 144, 160}, {150, 0.62, 2, 86, 104, 114}, {110, 0.72, -10, 42, 60, 62}};
  for (int row = 0; row < 3; ++row)
    for (int i = 0; i < rows[row].trees; ++i) forestTree(cr, rows[row], row, i, foot, {double(w), double(h)});
  setHazedRgb(cr, 44, 62, 66);
  cairo_rectangle(cr, 0, foot - 2, w, h - foot + 2);
  cairo_fill(cr);
  // Snow along the forest's foot merges it into the field, in the field's
  // own colour there.
  double snow[3];
  farSnowColour(kForestRadius, snow);
  cairo_pattern_t* fade = cairo_pattern_create_linear(0, foot - 6, 0, h);
  cairo_pattern_add_color_stop_rgba(fade, 0, snow[0], snow[1], snow[2], 0);
  cairo_pattern_add_color_stop_rgba(fade, 0.45, snow[0], snow[1], snow[2], 1);
  cairo_pattern_add_color_stop_rgba(fade, 1, snow[0], snow[1], snow[2], 1);
  cairo_set_source(cr, fade);
  cairo_rectangle(cr, 0, foot - 6, w, h - foot + 6);
  cairo_fill(cr);
  cairo_pattern_destroy(fade);
  return c.png();
}

// The field's snow, lit and hazed as the terrain's own is where the two
// meet along the pieces' sides.
std::vector<uint8_t> paintField() {
  SnowGround g;
  g.height = [](double, double y) { return crossProfile(y); };
  g.x0 = g.y0 = -kDomeRadius;
  g.width = g.depth = 2 * kDomeRadius;
  g.size = 512;
  g.seed = 130;
  g.distance = [](double, double y) { return std::fabs(y); };
  return paintSnowGround(g);
}

}  // namespace

void addBackground(ArchiveContent& a) {
  Model m;
  Material plain = unlitMaterial();
  Material cutout = unlitMaterial();
  cutout.alphaTest = true;
  m.part("sky.png", plain).triangles = skyDome();
  m.part("fonground.png", plain).triangles = snowfield();
  m.part("hills.png", cutout).triangles = ring(kHillsRadius, 32, 2, 96, 3);
  m.part("forest.png", cutout).triangles = ring(kForestRadius, 30, 3, 128, 6);
  a.addModel("fon", m);
  a.addImage("sky.png", paintSky());
  a.addImage("hills.png", paintHills());
  a.addImage("forest.png", paintForest());
  a.addImage("fonground.png", paintField());
}
