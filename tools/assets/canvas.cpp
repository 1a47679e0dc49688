#include "tools/assets/canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::flush() { cairo_surface_flush(surface_); }
void Canvas::markDirty() { cairo_surface_mark_dirty(surface_); }

void paintCentred(Canvas& canvas, const std::function<Rgba(double u, double v)>& colourAt) {
  const int w = canvas.width(), h = canvas.height();
  canvas.flush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c = colourAt((x + 0.5) / w * 2 - 1, (y + 0.5) / h * 2 - 1);
      canvas.setPixel(x, y, c.r, c.g, c.b, c.a);
    }
  canvas.markDirty();
}

void Canvas::setPixel(int x, int y, double r, double g, double b, double a) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  auto q = [](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
  uint32_t A = q(a);
  // cairo keeps premultiplied native-endian ARGB words.
  uint32_t R = q(r * a), G = q(g * a), B = q(b * a);
  unsigned char* row = cairo_image_surface_get_data(surface_) + size_t(y) * cairo_image_surface_get_stride(surface_);
  reinterpret_cast<uint32_t*>(row)[x] = (A << 24) | (R << 16) | (G << 8) | B;
}

static cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

std::vector<uint8_t> Canvas::png() {
  std::vector<uint8_t> bytes;
  cairo_surface_flush(surface_);
  cairo_surface_write_to_png_stream(surface_, appendBytes, &bytes);
  return bytes;
}

double hashUnit(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / double(0x1000000);
}

double valueNoise(double x, double y, uint32_t seed, int period) {
  int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  double fx = x - x0, fy = y - y0;
  auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
  auto corner = [&](int dx, int dy) { return hashUnit(wrap(x0 + dx), y0 + dy, seed); };
  double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  double top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx;
  double bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx;
  return top + (bottom - top) * sy;
}

double fractalNoise(double x, double y, uint32_t seed, int octaves, int period) {
  double sum = 0, weight = 1, total = 0, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += valueNoise(x * scale, y * scale, seed + uint32_t(i) * 101u, period > 0 ? int(period * scale) : 0) * weight;
    total += weight;
    weight *= 0.5;
    scale *= 2;
  }
  return sum / total;
}

void setRgb(cairo_t* cr, int r, int g, int b, double alpha) {
  cairo_set_source_rgba(cr, r / 255.0, g / 255.0, b / 255.0, alpha);
}

void selectFont(cairo_t* cr, bool bold, double size) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

void centredText(cairo_t* cr, const std::string& text, double cx, double cy) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_move_to(cr, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
  cairo_show_text(cr, text.c_str());
}
