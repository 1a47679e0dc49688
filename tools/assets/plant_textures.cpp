#include "tools/assets/plant_textures.h"

#include <cmath>

#include "tools/assets/canvas.h"

std::vector<uint8_t> paintFirSkirt() {
  // s runs around the tier (the texture repeats a few times), t from the
  // apex (0) to the drooping rim (1). The rim is a row of ragged branch
  // tips; snow lies in bands on the upper side.
  const int w = 256, h = 256;
  Canvas c(w, h);
  c.flush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double s = double(x) / w, t = double(y) / h;
      double tips = 0.86 + 0.09 * std::fabs(std::sin(s * 3.14159265 * 14)) +
                    0.04 * valueNoise(s * 64, 0, 81, 64);
      bool inside = t < tips;
      double needles = fractalNoise(s * 48, t * 24, 82, 3, 48);
      double snowField = fractalNoise(s * 12, t * 6, 83, 3, 12);
      double snowBand = snowField - 0.25 * t + 0.1 * std::sin(t * 30);
      bool snow = snowBand > 0.5;
      double r, g, b;
      if (snow) {
        double k = 0.9 + 0.1 * needles;
        r = 0.93 * k, g = 0.95 * k, b = 1.0 * k;
      } else {
        double k = 0.55 + 0.6 * needles;
        r = 0.06 * k, g = 0.22 * k, b = 0.12 * k;
      }
      c.setPixel(x, y, r, g, b, inside ? 1.0 : 0.0);
    }
  c.markDirty();
  return c.png();
}

std::vector<uint8_t> paintBark() {
  Canvas c(64, 128);
  c.flush();
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 64; ++x) {
      double n = valueNoise(x / 3.0, y / 12.0, 91, 21);
      double v = 0.22 + 0.2 * n;
      c.setPixel(x, y, v * 1.1, v * 0.85, v * 0.65, 1);
    }
  c.markDirty();
  return c.png();
}

std::vector<uint8_t> paintBirchBark() {
  Canvas c(64, 256);
  c.flush();
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 64; ++x) {
      double n = valueNoise(x / 8.0, y / 3.0, 92, 8);
      double mark = valueNoise(x / 6.0, y / 1.4, 93, 10);
      double v = 0.86 + 0.1 * n;
      if (mark > 0.78) v = 0.12;
      c.setPixel(x, y, v, v * 0.98, v * 0.94, 1);
    }
  c.markDirty();
  return c.png();
}

namespace {

// One branch and its side branches, drawn as tapering strokes with a rim
// of snow along their upper edge. Angles in radians, y grows downwards.
void branch(cairo_t* cr, double x, double y, double angle, double length, double width, int depth,
            uint32_t seed, bool snowPass) {
  double x2 = x + std::cos(angle) * length, y2 = y - std::sin(angle) * length;
  cairo_set_line_width(cr, width);
  cairo_move_to(cr, x, y + (snowPass ? -width * 0.45 : 0));
  cairo_line_to(cr, x2, y2 + (snowPass ? -width * 0.45 : 0));
  cairo_stroke(cr);
  if (depth == 0) return;
  int children = 3;
  for (int i = 0; i < children; ++i) {
    double f = 0.35 + 0.25 * i + 0.1 * hashUnit(i, depth, seed);
    double side = (i % 2 == 0) ? 1 : -1;
    double a = angle + side * (0.45 + 0.35 * hashUnit(i, depth, seed + 1));
    branch(cr, x + (x2 - x) * f, y + (y2 - y) * f, a, length * (0.45 + 0.15 * hashUnit(i, depth, seed + 2)),
           width * 0.6, depth - 1, seed * 3 + uint32_t(i) + 1, snowPass);
  }
  branch(cr, x2, y2, angle + 0.15 * (hashUnit(depth, 9, seed) - 0.5), length * 0.6, width * 0.65, depth - 1,
         seed * 5 + 7, snowPass);
}

}  // namespace

std::vector<uint8_t> paintTwigs(bool bush) {
  const int size = 512;
  Canvas c(size, size);
  cairo_t* cr = c.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Several stems fanning up from the bottom centre; pass 0 the wood, pass
  // 1 a thinner white line offset upwards for the snow.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 0)
      setRgb(cr, 58, 44, 38);
    else
      setRgb(cr, 244, 248, 255);
    int stems = bush ? 7 : 6;
    for (int i = 0; i < stems; ++i) {
      double spread = bush ? 1.1 : 0.9;
      double a = 3.14159265 / 2 + spread * ((i + 0.5) / stems - 0.5) * 2;
      double len = bush ? 170 + 40 * hashUnit(i, 0, 101) : 150 + 50 * hashUnit(i, 0, 102);
      double x = size / 2 + (bush ? 30 : 60) * ((i + 0.5) / stems - 0.5);
      double y = bush ? size - 6 : size * 0.62 + 80 * hashUnit(i, 1, 103);
      double width = (bush ? 9 : 10) * (pass == 1 ? 0.36 : 1.0);
      branch(cr, x, y, a, len, width, 4, 200 + uint32_t(i) * 17, pass == 1);
    }
  }
  return c.png();
}
