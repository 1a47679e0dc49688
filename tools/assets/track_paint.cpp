#include "tools/assets/track_paint.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"

namespace {

constexpr int kTexelsAlong = 128, kTexelsAcross = 256;
// Stones lie on a jittered grid of this spacing, in scene units.
constexpr double kStone = 0.2;

double smoothstep(double u) {
  u = std::clamp(u, 0.0, 1.0);
  return u * u * (3 - 2 * u);
}

// Ballast at (x, y): stones as cells round jittered points (the nearest
// point's cell), dark in the gaps where two cells meet. Returns the stone's
// brightness, 0 in a gap; `tile` makes the cells repeat along x.
double stoneAt(double x, double y, double tile) {
  const int columns = int(std::round(tile / kStone));
  const double cw = tile / columns;
  int ci = int(std::floor(x / cw)), cj = int(std::floor(y / kStone));
  double nearest = 1e9, second = 1e9;
  int id = 0;
  for (int dj = -1; dj <= 1; ++dj)
    for (int di = -1; di <= 1; ++di) {
      int i = ci + di, j = cj + dj, wrapped = ((i % columns) + columns) % columns;
      double px = (i + hashUnit(wrapped, j, 81)) * cw, py = (j + hashUnit(wrapped, j, 82)) * kStone;
      double d = std::hypot(x - px, y - py);
      if (d < nearest) {
        second = nearest, nearest = d, id = wrapped * 7919 + j;
      } else if (d < second) {
        second = d;
      }
    }
  double edge = smoothstep((second - nearest) / 0.05);  // 0 in the gap
  return edge * (0.55 + 0.45 * hashUnit(id, 3, 83));
}

// How deep snow lies at (x, y), 0..1 before its ragged edge is cut.
double snowDepth(const TrackBedLayout& l, double x, double y, double tile) {
  double a = std::fabs(y);
  // Against the sleepers' sides the snow lies thinner, in their lee.
  double fromSleeper = std::fabs(std::fmod(x + l.pitch / 2, l.pitch) - l.pitch / 2) - l.sleeperHalfWidth;
  double crib = a < l.sleeperHalfLength ? 0.5 + 0.2 * smoothstep(fromSleeper / 0.25) : 0.6;
  // Swept thin along the rails, deep up the shoulders to the snowfield.
  crib *= 0.35 + 0.65 * smoothstep((std::fabs(a - l.railY) - 0.2) / 0.35);
  double shoulder = smoothstep((a - l.shoulderY) / (l.halfWidth - l.shoulderY - 0.2));
  double base = crib + (1.1 - crib) * shoulder;
  const int cells = int(std::round(tile / 0.6));
  double n = fractalNoise(x / tile * cells, y / 0.6, 84, 3, cells);
  return base + 0.6 * (n - 0.5);
}

}  // namespace

std::vector<uint8_t> paintTrackBed(const TrackBedLayout& l) {
  const double tile = 2 * l.pitch;
  Canvas c(kTexelsAlong, kTexelsAcross);
  c.flush();
  for (int j = 0; j < kTexelsAcross; ++j)
    for (int i = 0; i < kTexelsAlong; ++i) {
      double x = (i + 0.5) / kTexelsAlong * tile, y = -l.halfWidth + (j + 0.5) / kTexelsAcross * 2 * l.halfWidth;
      double stone = stoneAt(x, y, tile);
      double g = 0.16 + 0.36 * stone;
      double rgb[3] = {g * 1.04, g * 0.99, g * 0.93};  // grey with a little rust
      double cover = smoothstep((snowDepth(l, x, y, tile) - 0.5) / 0.12);
      // Snow between the stones first, then over them.
      cover = std::max(cover, 0.6 * cover + 0.4 * cover * (1 - stone));
      const double snow[3] = {0.86, 0.87, 0.89};
      for (int k = 0; k < 3; ++k) rgb[k] += (snow[k] - rgb[k]) * cover;
      c.setPixel(i, j, rgb[0], rgb[1], rgb[2], 1);
    }
  c.markDirty();
  return c.png();
}
