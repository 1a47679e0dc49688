#include <cmath>
#include <string>

#include "tools/assets/archive_content.h"
#include "tools/assets/canvas.h"
#include "tools/assets/overlay_kit.h"

// "clock.pak": the dial and hands of the analog clock and the plates and
// glyphs of the digital one. The clock node sits on the screen's lower
// right corner; the analog builder moves it 9.3 left and 9.0 up, so a dial
// of radius 8.5 just clears both edges. The digital builder moves it 10
// left and 1 up (15.186 left for the 12-hour form); glyphs stand on their
// slot's origin and rise from y = 0.7.

namespace {

constexpr double kDialRadius = 8.5;
constexpr double kDigitHalfWidth = 1.4;
constexpr double kDigitBottom = 0.7, kDigitTop = 6.1;
constexpr double kPlateLeft = -8.9, kPlateRight = 8.9, kPlateRightAm = 14.3;
constexpr double kPlateBottom = -0.1, kPlateTop = 6.9;

void glowText(cairo_t* cr, const std::string& text, double cx, double cy) {
  // A soft cold halo under crisp ice-white figures.
  for (int i = 4; i >= 1; --i) {
    setRgb(cr, 120, 190, 255, 0.10);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1 + 0.025 * i, 1 + 0.025 * i);
    centredText(cr, text, 0, 0);
    cairo_restore(cr);
  }
  setRgb(cr, 236, 246, 255);
  centredText(cr, text, cx, cy);
}

std::vector<uint8_t> paintDial() {
  const int size = 512;
  const double c = size / 2.0, r = size / 2.0 - 2;
  Canvas canvas(size, size);
  cairo_t* cr = canvas.cr();
  cairo_pattern_t* face = cairo_pattern_create_radial(c, c * 0.8, 10, c, c, r);
  cairo_pattern_add_color_stop_rgba(face, 0, 0.99, 0.98, 0.95, 0.96);
  cairo_pattern_add_color_stop_rgba(face, 1, 0.84, 0.88, 0.94, 0.96);
  cairo_set_source(cr, face);
  cairo_arc(cr, c, c, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  setRgb(cr, 28, 44, 78);  // dark blue bezel with a brass line inside
  cairo_set_line_width(cr, 18);
  cairo_arc(cr, c, c, r - 9, 0, 2 * M_PI);
  cairo_stroke(cr);
  setRgb(cr, 200, 160, 70);
  cairo_set_line_width(cr, 4);
  cairo_arc(cr, c, c, r - 21, 0, 2 * M_PI);
  cairo_stroke(cr);
  for (int i = 0; i < 60; ++i) {
    double a = i * M_PI / 30;
    bool hour = i % 5 == 0;
    double r0 = r - (hour ? 56 : 40), r1 = r - 28;
    setRgb(cr, 30, 40, 60);
    cairo_set_line_width(cr, hour ? 8 : 3);
    cairo_move_to(cr, c + r0 * std::sin(a), c - r0 * std::cos(a));
    cairo_line_to(cr, c + r1 * std::sin(a), c - r1 * std::cos(a));
    cairo_stroke(cr);
  }
  selectFont(cr, true, 52);
  setRgb(cr, 28, 40, 66);
  for (int h = 1; h <= 12; ++h) {
    double a = h * M_PI / 6, rr = r - 96;
    centredText(cr, std::to_string(h), c + rr * std::sin(a), c - rr * std::cos(a));
  }
  return canvas.png();
}

// A hand pointing up the texture: tip at the top, hub 3/4 of the way down.
std::vector<uint8_t> paintHand(int width, double halfWidth, int red, int green, int blue, bool counterweight) {
  const int h = 256;
  Canvas canvas(width, h);
  cairo_t* cr = canvas.cr();
  double cx = width / 2.0, hub = h * 0.8;
  setRgb(cr, red, green, blue);
  cairo_move_to(cr, cx, 2);
  cairo_line_to(cr, cx + halfWidth, hub - 40);
  cairo_line_to(cr, cx + halfWidth * 0.7, h - 4);
  cairo_line_to(cr, cx - halfWidth * 0.7, h - 4);
  cairo_line_to(cr, cx - halfWidth, hub - 40);
  cairo_close_path(cr);
  cairo_fill(cr);
  if (counterweight) {
    cairo_arc(cr, cx, h - 24, halfWidth * 2.2, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, hub, std::min(width / 2.0 - 1, halfWidth * 2.6), 0, 2 * M_PI);
  cairo_fill(cr);
  return canvas.png();
}

// Digit atlas: 8 x 2 cells of 64 x 128, "0".."9" then the colon, "AM", "PM".
std::vector<uint8_t> paintClockGlyphs() {
  Canvas canvas(512, 256);
  cairo_t* cr = canvas.cr();
  selectFont(cr, true, 104);
  for (int d = 0; d < 10; ++d) glowText(cr, std::to_string(d), (d % 8) * 64 + 32, (d / 8) * 128 + 64);
  selectFont(cr, true, 104);
  glowText(cr, ":", 2 * 64 + 32, 128 + 60);
  selectFont(cr, true, 52);
  glowText(cr, "AM", 3 * 64 + 64, 128 + 64);
  glowText(cr, "PM", 5 * 64 + 64, 128 + 64);
  return canvas.png();
}

std::vector<uint8_t> paintPlate(int width) {
  Canvas canvas(width, 128);
  cairo_t* cr = canvas.cr();
  double w = width, h = 128, r = 24;
  cairo_new_sub_path(cr);
  cairo_arc(cr, w - r - 3, r + 3, r, -M_PI / 2, 0);
  cairo_arc(cr, w - r - 3, h - r - 3, r, 0, M_PI / 2);
  cairo_arc(cr, r + 3, h - r - 3, r, M_PI / 2, M_PI);
  cairo_arc(cr, r + 3, r + 3, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgba(fill, 0, 0.10, 0.16, 0.30, 0.82);
  cairo_pattern_add_color_stop_rgba(fill, 1, 0.03, 0.06, 0.14, 0.88);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  setRgb(cr, 150, 190, 235, 0.9);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  return canvas.png();
}

}  // namespace

ArchiveContent buildClockArchive() {
  ArchiveContent a;
  a.addModel("ciferblat", glyphModel("dial.png", -kDialRadius, -kDialRadius, kDialRadius, kDialRadius));
  a.addModel("sec", glyphModel("hand_sec.png", -0.3, -1.9, 0.3, 7.7));
  a.addModel("min", glyphModel("hand_min.png", -0.55, -1.6, 0.55, 6.4));
  a.addModel("chas", glyphModel("hand_hour.png", -0.65, -1.2, 0.65, 4.8));
  a.addModel("podlozka", glyphModel("plate.png", kPlateLeft, kPlateBottom, kPlateRight, kPlateTop));
  a.addModel("podlozka_am", glyphModel("plate_am.png", kPlateLeft, kPlateBottom, kPlateRightAm, kPlateTop));
  for (int d = 0; d < 10; ++d)
    a.addModel(std::to_string(d), glyphModel("clockglyphs.png", -kDigitHalfWidth, kDigitBottom, kDigitHalfWidth,
                                             kDigitTop, atlasCell(d % 8, d / 8, 8, 2)));
  a.addModel("dot", glyphModel("clockglyphs.png", -kDigitHalfWidth, kDigitBottom, kDigitHalfWidth, kDigitTop,
                               atlasCell(2, 1, 8, 2)));
  TexRect am = atlasCell(3, 1, 8, 2), pm = atlasCell(5, 1, 8, 2);
  am.s1 = atlasCell(4, 1, 8, 2).s1;
  pm.s1 = atlasCell(6, 1, 8, 2).s1;
  a.addModel("am", glyphModel("clockglyphs.png", -1.55, 1.9, 1.95, 5.4, am));
  a.addModel("pm", glyphModel("clockglyphs.png", -1.55, 1.9, 1.95, 5.4, pm));
  a.addImage("dial.png", paintDial());
  a.addImage("hand_sec.png", paintHand(32, 3, 200, 40, 30, true));
  a.addImage("hand_min.png", paintHand(64, 9, 25, 35, 60, false));
  a.addImage("hand_hour.png", paintHand(64, 12, 25, 35, 60, false));
  a.addImage("plate.png", paintPlate(256));
  a.addImage("plate_am.png", paintPlate(512));
  a.addImage("clockglyphs.png", paintClockGlyphs());
  return a;
}
