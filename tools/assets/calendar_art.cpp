#include <cmath>
#include <string>

#include "tools/assets/archive_content.h"
#include "tools/assets/canvas.h"
#include "tools/assets/overlay_kit.h"

// "calendar.pak": a month sheet. Cells are 8 units apart with their origin
// at the cell centre (columns x = -40 .. 8, rows y = 0 .. -40 relative to the
// calendar node); the weekday header is centred at (-16, 8), the month name
// at (-16, 16) and the background at (-16, -12), 62 x 69 so that its corner
// stays on screen at 4:3, where the node sits 16 units from the right edge
// and 23.6 from the top.

namespace {

constexpr double kBackWidth = 62, kBackHeight = 69;
constexpr double kBackCentreY = -0.25;  // within its node at (-16, -12)
constexpr double kCellGlyph = 3.4;      // half size of a day number
constexpr double kHeaderHalfWidth = 28, kHeaderHalfHeight = 3.5;
constexpr double kMonthHalfWidth = 24, kMonthHalfHeight = 3.0;

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

// The panel in texture pixels: 512 x 512 for 62 x 69 units.
std::vector<uint8_t> paintBackground(int sundayColumn) {
  const int size = 512;
  Canvas canvas(size, size);
  cairo_t* cr = canvas.cr();
  double r = 28, w = size, h = size;
  cairo_new_sub_path(cr);
  cairo_arc(cr, w - r - 4, r + 4, r, -M_PI / 2, 0);
  cairo_arc(cr, w - r - 4, h - r - 4, r, 0, M_PI / 2);
  cairo_arc(cr, r + 4, h - r - 4, r, M_PI / 2, M_PI);
  cairo_arc(cr, r + 4, r + 4, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgba(fill, 0, 0.12, 0.20, 0.36, 0.80);
  cairo_pattern_add_color_stop_rgba(fill, 1, 0.04, 0.08, 0.18, 0.85);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  setRgb(cr, 170, 205, 240, 0.9);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  // Units to pixels within the panel (panel left = node x -47, top = y 22.25).
  auto px = [&](double x) { return (x + 47.0) / kBackWidth * w; };
  auto py = [&](double y) { return (22.25 - y) / kBackHeight * h; };
  // The Sunday column tinted warm, under the header and the six rows.
  double cx = -40 + 8 * sundayColumn;
  setRgb(cr, 220, 70, 60, 0.22);
  cairo_rectangle(cr, px(cx - 3.8), py(11.2), px(cx + 3.8) - px(cx - 3.8), py(-44) - py(11.2));
  cairo_fill(cr);
  // A frosty rule between the month name and the header.
  setRgb(cr, 200, 225, 255, 0.6);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, px(-44), py(12.4));
  cairo_line_to(cr, px(12), py(12.4));
  cairo_stroke(cr);
  return canvas.png();
}

std::vector<uint8_t> paintNumbers() {
  // 8 x 4 cells of 128 x 128; cell k holds the number k, cell 0 a faint dot.
  Canvas canvas(1024, 512);
  cairo_t* cr = canvas.cr();
  setRgb(cr, 190, 215, 240, 0.22);
  cairo_arc(cr, 64, 64, 5, 0, 2 * M_PI);
  cairo_fill(cr);
  selectFont(cr, true, 64);
  for (int k = 1; k <= 31; ++k) {
    setRgb(cr, 236, 244, 255);
    centredText(cr, std::to_string(k), (k % 8) * 128 + 64, (k / 8) * 128 + 64);
  }
  return canvas.png();
}

std::vector<uint8_t> paintHeaders() {
  // Row 0: weeks from Sunday; row 1: weeks from Monday. Each 1024 x 128,
  // seven names on the columns' centres; the Sunday name in red.
  Canvas canvas(1024, 256);
  cairo_t* cr = canvas.cr();
  const char* english[7] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
  const char* russian[7] = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
  selectFont(cr, true, 58);
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 7; ++i) {
      bool sunday = (row == 0 && i == 0) || (row == 1 && i == 6);
      if (sunday)
        setRgb(cr, 255, 140, 120);
      else
        setRgb(cr, 200, 225, 250);
      double x = (i + 0.5) * 1024.0 / 7;
      centredText(cr, row == 0 ? english[i] : russian[i], x, row * 128 + 64);
    }
  return canvas.png();
}

std::vector<uint8_t> paintMonths() {
  // 16 rows of 512 x 64 (rows 12..15 unused).
  Canvas canvas(512, 1024);
  cairo_t* cr = canvas.cr();
  selectFont(cr, true, 44);
  for (int m = 0; m < 12; ++m) {
    setRgb(cr, 255, 255, 255);
    centredText(cr, kMonthNames[m], 256, m * 64 + 32);
  }
  return canvas.png();
}

std::vector<uint8_t> paintHighlight() {
  Canvas canvas(128, 128);
  cairo_t* cr = canvas.cr();
  cairo_pattern_t* glow = cairo_pattern_create_radial(64, 64, 8, 64, 64, 62);
  cairo_pattern_add_color_stop_rgba(glow, 0, 0.95, 0.45, 0.25, 0.95);
  cairo_pattern_add_color_stop_rgba(glow, 0.7, 0.85, 0.25, 0.20, 0.85);
  cairo_pattern_add_color_stop_rgba(glow, 1, 0.85, 0.25, 0.20, 0.0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, 64, 64, 62, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  return canvas.png();
}

}  // namespace

ArchiveContent buildCalendarArchive() {
  ArchiveContent a;
  double bx = kBackWidth / 2, by0 = kBackCentreY - kBackHeight / 2, by1 = kBackCentreY + kBackHeight / 2;
  a.addModel("fon", glyphModel("calback.png", -bx, by0, bx, by1));
  a.addModel("fon_rus", glyphModel("calback_rus.png", -bx, by0, bx, by1));
  a.addModel("day", glyphModel("caldays.png", -kHeaderHalfWidth, -kHeaderHalfHeight, kHeaderHalfWidth,
                               kHeaderHalfHeight, atlasCell(0, 0, 1, 2)));
  a.addModel("day_rus", glyphModel("caldays.png", -kHeaderHalfWidth, -kHeaderHalfHeight, kHeaderHalfWidth,
                                   kHeaderHalfHeight, atlasCell(0, 1, 1, 2)));
  for (int m = 1; m <= 12; ++m)
    a.addModel("m" + std::to_string(m), glyphModel("calmonths.png", -kMonthHalfWidth, -kMonthHalfHeight,
                                                   kMonthHalfWidth, kMonthHalfHeight, atlasCell(0, m - 1, 1, 16)));
  a.addModel("null", glyphModel("calnums.png", -kCellGlyph, -kCellGlyph, kCellGlyph, kCellGlyph, atlasCell(0, 0, 8, 4)));
  for (int k = 1; k <= 31; ++k)
    a.addModel(std::to_string(k), glyphModel("calnums.png", -kCellGlyph, -kCellGlyph, kCellGlyph, kCellGlyph,
                                             atlasCell(k % 8, k / 8, 8, 4)));
  a.addModel("sel", glyphModel("calsel.png", -3.9, -3.9, 3.9, 3.9));
  a.addImage("calback.png", paintBackground(0));
  a.addImage("calback_rus.png", paintBackground(6));
  a.addImage("caldays.png", paintHeaders());
  a.addImage("calmonths.png", paintMonths());
  a.addImage("calnums.png", paintNumbers());
  a.addImage("calsel.png", paintHighlight());
  return a;
}
