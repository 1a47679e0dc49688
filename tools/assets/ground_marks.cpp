#include "tools/assets/ground_marks.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/geometry.h"

namespace {

// Marks stand on a jittered grid of this spacing, in scene units.
constexpr double kSpacing = 1.6;
// How far above its surroundings (5 units round) ground must stand before
// the wind bares it.
constexpr double kBareFrom = 0.2;
constexpr double kBareFully = 0.8;

// How much ground at (x, y) rises above the ring 5 units round it.
double crest(const HeightGrid& relief, double x, double y) {
  double sum = 0;
  for (int k = 0; k < 8; ++k) sum += relief.at(x + 5 * std::cos(k * kPi / 4), y + 5 * std::sin(k * kPi / 4));
  return relief.at(x, y) - sum / 8;
}

// A tuft of dry grass seen from above: short blades round a dark heart,
// its shadow falling away from the light (towards -Y).
void tuft(cairo_t* cr, double px, double py, double size, uint32_t seed) {
  cairo_set_source_rgba(cr, 0.40, 0.47, 0.62, 0.22);
  cairo_arc(cr, px, py - 0.6 * size, size * 0.9, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, std::max(0.5, size * 0.22));
  int blades = 5 + int(hashUnit(int(px), int(py), seed) * 4);
  for (int b = 0; b < blades; ++b) {
    double a = 2 * kPi * hashUnit(b, int(px * 7 + py), seed + 1);
    double len = size * (0.5 + 0.6 * hashUnit(b, int(py * 7 + px), seed + 2));
    double tone = hashUnit(b, 3, seed + uint32_t(px));
    cairo_set_source_rgba(cr, 0.42 + 0.14 * tone, 0.39 + 0.10 * tone, 0.31 + 0.06 * tone, 0.8);
    cairo_move_to(cr, px, py);
    cairo_line_to(cr, px + len * std::cos(a), py + len * std::sin(a));
    cairo_stroke(cr);
  }
}

// A stone breaking through: dark, with snow caught on its lit side.
void stone(cairo_t* cr, double px, double py, double size) {
  cairo_set_source_rgba(cr, 0.40, 0.47, 0.62, 0.25);
  cairo_arc(cr, px, py - 0.5 * size, size * 1.1, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0.40, 0.41, 0.44, 0.9);
  cairo_save(cr);
  cairo_translate(cr, px, py);
  cairo_scale(cr, size, size * 0.75);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0.88, 0.90, 0.94, 0.8);
  cairo_arc(cr, px, py + 0.3 * size, size * 0.45, 0, 2 * kPi);
  cairo_fill(cr);
}

}  // namespace

void paintCrestMarks(Canvas& canvas, const SnowGround& g, const HeightGrid& relief) {
  cairo_t* cr = canvas.cr();
  double texelsPerUnit = g.size / g.width;
  const double endMargin = 3.0;
  int across = int(g.width / kSpacing), down = int(g.depth / kSpacing);
  for (int j = 0; j < down; ++j)
    for (int i = 0; i < across; ++i) {
      double x = g.x0 + (i + hashUnit(i, j, g.seed + 20)) * kSpacing;
      double y = g.y0 + (j + hashUnit(i, j, g.seed + 21)) * kSpacing;
      if (x < g.x0 + endMargin || x > g.x0 + g.width - endMargin) continue;
      double bare = std::clamp((crest(relief, x, y) - kBareFrom) / (kBareFully - kBareFrom), 0.0, 1.0);
      // In patches only, and thinning out with distance.
      bare *= std::clamp((fractalNoise(x / 9.0, y / 9.0, g.seed + 25, 2) - 0.45) * 2.5, 0.0, 0.4);
      bare *= std::clamp(1 - (g.distance(x, y) - 50) / 40, 0.0, 1.0);
      if (hashUnit(i, j, g.seed + 22) >= bare) continue;
      double px = (x - g.x0) / g.width * g.size, py = (y - g.y0) / g.depth * g.size;
      double size = texelsPerUnit * (0.25 + 0.25 * hashUnit(i, j, g.seed + 23));
      if (hashUnit(i, j, g.seed + 24) < 0.8)
        tuft(cr, px, py, size, g.seed + uint32_t(i * 131 + j));
      else
        stone(cr, px, py, size * 0.7);
    }
}
