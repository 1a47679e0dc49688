#include <cmath>
#include <string>

#include "tools/assets/archive_content.h"
#include "tools/assets/canvas.h"
#include "tools/assets/overlay_kit.h"

// "utils.pak": the frame-rate counter's label and digits. The counter node
// sits 5 units right of the left edge and 2.5 below the top; the label
// ends just left of its origin, the digits (1.3 wide) start at their slot
// positions 0.5, 1.9 and 3.3.

namespace {

constexpr double kHalfHeight = 0.9;

std::vector<uint8_t> paintCounterGlyphs() {
  // 16 cells of 64 x 128: "0".."9", then the label over cells 12..15.
  Canvas canvas(1024, 128);
  cairo_t* cr = canvas.cr();
  selectFont(cr, true, 96);
  for (int d = 0; d < 10; ++d) {
    setRgb(cr, 20, 30, 50, 0.6);  // a dark rim keeps digits legible on snow
    centredText(cr, std::to_string(d), d * 64 + 34, 66);
    setRgb(cr, 255, 236, 120);
    centredText(cr, std::to_string(d), d * 64 + 32, 64);
  }
  selectFont(cr, true, 80);
  setRgb(cr, 20, 30, 50, 0.6);
  centredText(cr, "FPS", 12 * 64 + 130, 66);
  setRgb(cr, 255, 236, 120);
  centredText(cr, "FPS", 12 * 64 + 128, 64);
  return canvas.png();
}

// A dark, translucent pill behind label and digits: the counter sits over
// bright snow, where yellow figures alone would fade.
std::vector<uint8_t> paintBacking() {
  Canvas canvas(512, 128);
  cairo_t* cr = canvas.cr();
  double r = 56;
  cairo_new_sub_path(cr);
  cairo_arc(cr, 512 - r - 4, 64, r, -M_PI / 2, M_PI / 2);
  cairo_arc(cr, r + 4, 64, r, M_PI / 2, 3 * M_PI / 2);
  cairo_close_path(cr);
  setRgb(cr, 14, 22, 44, 0.55);
  cairo_fill(cr);
  return canvas.png();
}

}  // namespace

ArchiveContent buildUtilsArchive() {
  ArchiveContent a;
  TexRect label = atlasCell(12, 0, 16, 1);
  label.s1 = atlasCell(15, 0, 16, 1).s1;
  Model counter = glyphModel("counterback.png", -4.75, -kHalfHeight - 0.25, 4.85, kHalfHeight + 0.25);
  Model text = glyphModel("counter.png", -4.4, -kHalfHeight, -0.3, kHalfHeight, label);
  counter.meshes.push_back(text.meshes.front());
  a.addModel("fps", counter);
  for (int d = 0; d < 10; ++d)
    a.addModel(std::to_string(d), glyphModel("counter.png", 0, -kHalfHeight, 1.3, kHalfHeight, atlasCell(d, 0, 16, 1)));
  a.addImage("counter.png", paintCounterGlyphs());
  a.addImage("counterback.png", paintBacking());
  return a;
}
