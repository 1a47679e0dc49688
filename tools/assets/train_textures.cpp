#include "tools/assets/train_textures.h"

#include <cmath>

#include "tools/assets/canvas.h"

std::vector<uint8_t> paintGrain() {
  Canvas c(128, 128);
  c.flush();
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      double n = fractalNoise(x / 16.0, y / 16.0, 11, 4, 8);
      double speck = hashUnit(x, y, 12);
      double v = 0.80 + 0.16 * n + 0.04 * speck;
      c.setPixel(x, y, v, v, v * 1.01, 1);
    }
  c.markDirty();
  return c.png();
}

std::vector<uint8_t> paintCoal() {
  Canvas c(128, 128);
  c.flush();
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      // Lumps: cells of a coarse grid with a bright facet on their upper left.
      double cell = valueNoise(x / 9.0, y / 9.0, 21, 0);
      double facet = valueNoise(x / 4.0 + 3, y / 4.0, 22, 0);
      double v = 0.12 + 0.25 * cell * cell + 0.35 * std::pow(facet, 6);
      c.setPixel(x, y, v, v, v * 1.1, 1);
    }
  c.markDirty();
  return c.png();
}

std::vector<uint8_t> paintPlanks() {
  Canvas c(128, 128);
  c.flush();
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      int board = y / 32;
      double grain = valueNoise(x / 20.0, y / 2.5 + board * 7, 31, 0);
      double seam = (y % 32) < 2 ? 0.45 : 1.0;
      double v = (0.62 + 0.25 * grain) * seam;
      c.setPixel(x, y, v * 1.0, v * 0.86, v * 0.70, 1);
    }
  c.markDirty();
  return c.png();
}

std::vector<uint8_t> paintNumberPlate() {
  Canvas c(256, 128);
  cairo_t* cr = c.cr();
  setRgb(cr, 40, 60, 45);  // painted ground around the plate
  cairo_paint(cr);
  cairo_save(cr);
  cairo_translate(cr, 128, 64);
  cairo_scale(cr, 120, 56);
  cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979);
  cairo_restore(cr);
  setRgb(cr, 222, 178, 80);
  cairo_fill_preserve(cr);
  setRgb(cr, 120, 30, 24);
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
  selectFont(cr, true, 46);
  setRgb(cr, 110, 28, 22);
  centredText(cr, "HR-07", 128, 66);
  return c.png();
}

std::vector<uint8_t> paintRivetedPlate() {
  struct Spot {
    double x, y;
  };
  const int size = 128;
  Canvas c(size, size);
  c.flush();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double v = 0.84 + 0.12 * fractalNoise(x / 16.0, y / 16.0, 11, 3, 8);
      c.setPixel(x, y, v, v, v * 1.01, 1);
    }
  c.markDirty();
  cairo_t* cr = c.cr();
  cairo_set_line_width(cr, 2.0);
  cairo_set_source_rgba(cr, 0.35, 0.35, 0.36, 0.8);
  cairo_rectangle(cr, 1, 1, size - 2, size - 2);
  cairo_stroke(cr);
  for (int k = 0; k < 8; ++k) {
    double p = 8 + k * (size - 16) / 7.0;
    for (Spot at : {Spot{p, 7}, Spot{p, size - 7.0}, Spot{7, p}, Spot{size - 7.0, p}}) {
      cairo_set_source_rgba(cr, 0.3, 0.3, 0.32, 0.7);  // shadow under the head
      cairo_arc(cr, at.x + 0.8, at.y + 1.0, 2.6, 0, 2 * 3.14159265358979);
      cairo_fill(cr);
      cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.9);  // lit dome
      cairo_arc(cr, at.x - 0.4, at.y - 0.5, 2.2, 0, 2 * 3.14159265358979);
      cairo_fill(cr);
    }
  }
  return c.png();
}
