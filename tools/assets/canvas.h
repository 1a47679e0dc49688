#pragma once
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A cairo image surface to paint one texture on, and its PNG encoding.
// Sizes are powers of two; the PNG's first row becomes texture row t = 0.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Straight (not premultiplied) RGBA access for per-pixel painters; values
  // 0..1. Call flush() before and markDirty() after a run of setPixel calls.
  void setPixel(int x, int y, double r, double g, double b, double a);
  void flush();
  void markDirty();

  // PNG bytes (RGBA, 8 bits per channel). cairo writes no time stamps, so
  // the bytes depend only on the pixels.
  std::vector<uint8_t> png();

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
  int width_, height_;
};

// Straight RGBA, 0..1 each.
struct Rgba {
  double r, g, b, a;
};

// Paints every pixel of `canvas` from the position of its centre: u runs
// from -1 at the left edge to 1 at the right, v from -1 at the first row to
// 1 at the last. For round sprites (glows, flakes, puffs).
void paintCentred(Canvas& canvas, const std::function<Rgba(double u, double v)>& colourAt);

// Value noise in [0, 1], smooth, from a fixed hash: the same inputs give the
// same output on every run. `period` (in lattice cells, 0 for none) makes
// it repeat along x, so textures tile along the track.
double valueNoise(double x, double y, uint32_t seed, int period = 0);
// Sum of octaves of value noise, normalised to [0, 1].
double fractalNoise(double x, double y, uint32_t seed, int octaves, int period = 0);
// A hash of three integers to [0, 1).
double hashUnit(int x, int y, uint32_t seed);

// Sets the cairo source colour from 0..255 components.
void setRgb(cairo_t* cr, int r, int g, int b, double alpha = 1.0);
// Selects the text face used for every glyph and label.
void selectFont(cairo_t* cr, bool bold, double size);
// Draws `text` centred on (cx, cy) (its ink box), filled with the source.
void centredText(cairo_t* cr, const std::string& text, double cx, double cy);
