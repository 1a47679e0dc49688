#include "tools/assets/snow_detail.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/geometry.h"

namespace {

// The wind blows at this angle to the track (radians from +X towards +Y):
// drifts and sastrugi stretch along it, ripples lie across it. Slanted, so
// their flanks face towards and away from the light on the +Y side.
constexpr double kWindAngle = 0.6;
const double kWindX = std::cos(kWindAngle), kWindY = std::sin(kWindAngle);

// Sastrugi stand in cells about this many units wide, one at most in each.
constexpr double kRidgeCell = 3.0;

}  // namespace

SnowDetail::SnowDetail(double x0, double period, uint32_t seed) : x0_(x0), period_(period), seed_(seed) {}

double SnowDetail::height(double x, double y) const {
  double lx = std::fmod(x - x0_, period_);
  if (lx < 0) lx += period_;
  return drifts(lx, y) + std::max(ripples(lx, y), sastrugi(lx, y));
}

// Broad drifts some 12 units across the wind and 40 along it, about half a
// unit high: the snow's slow swell; over them dunes a few units across, a
// quarter unit high. Noise on axes sheared along the wind.
double SnowDetail::drifts(double x, double y) const {
  const int cells = int(std::round(period_ / 12)), dunes = int(std::round(period_ / 3));
  double across = (x - y * kWindX / kWindY) / period_;
  return 0.6 * (fractalNoise(across * cells, y / 30.0, seed_, 3, cells) - 0.5) +
         0.15 * (fractalNoise(across * dunes, y / 4.5, seed_ + 5, 2, dunes) - 0.5);
}

// Ripples about 1.5 units apart with crests across the wind, bending where
// the wind wandered. Over tens of units the wind also turned and changed
// strength: a broad warp of the crests' phase swings them by up to about
// 20 degrees and draws them about 1.3 to 2.5 units apart, and whole
// stretches lie calm while others are ridged, so no part of the field
// looks stamped.
double SnowDetail::ripples(double x, double y) const {
  const double wavelength = 1.5;
  // Whole waves per period along x, so the ripples tile.
  const double waves = std::round(period_ * kWindX / wavelength);
  const int bends = int(std::round(period_ / 6)), patches = int(std::round(period_ / 16));
  const int swings = int(std::round(period_ / 45));
  double across = (x - y * kWindX / kWindY) / period_;
  double wander = 7.0 * fractalNoise(across * bends, y / 6.0, seed_ + 1, 2, bends);
  double swing = 90.0 * fractalNoise(x / period_ * swings, y / 45.0, seed_ + 3, 2, swings);
  double phase = 2 * kPi * (waves * x / period_ + y * kWindY / wavelength) + wander + swing;
  double patch = fractalNoise(across * patches, y / 12.0, seed_ + 2, 2, patches);
  double calm = fractalNoise(x / period_ * swings, y / 45.0, seed_ + 4, 2, swings);
  // Crests a few units long, breaking off and starting again beside.
  const int breaks = int(std::round(period_ / 3.5));
  double broken = fractalNoise(x / period_ * breaks, y / 3.5, seed_ + 5, 2, breaks);
  double strength = (0.15 + 0.85 * std::clamp((patch - 0.4) * 3.0, 0.0, 1.0)) *
                    (0.15 + 0.85 * std::clamp((calm - 0.35) * 3.0, 0.0, 1.0)) *
                    (0.25 + 0.75 * std::clamp((broken - 0.3) * 2.5, 0.0, 1.0));
  // Sharper crests than troughs, as blown snow builds them.
  double s = 0.5 + 0.5 * std::sin(phase);
  return 0.06 * strength * s * s;
}

// Sastrugi: hard ridges carved by the wind, 2 to 5 units long along it and
// under a unit across, gentle on the windward flank and steep on the lee.
double SnowDetail::sastrugi(double x, double y) const {
  const int columns = int(std::round(period_ / kRidgeCell));
  const double cw = period_ / columns;
  int ci = int(std::floor(x / cw)), cj = int(std::floor(y / kRidgeCell));
  double top = 0;
  for (int dj = -2; dj <= 2; ++dj)
    for (int di = -2; di <= 2; ++di) {
      int i = ci + di, j = cj + dj;
      int wrapped = ((i % columns) + columns) % columns;
      auto hash = [&](uint32_t k) { return hashUnit(wrapped, j, seed_ + 10 + k); };
      if (hash(0) > 0.35) continue;
      double cx = (i + hash(1)) * cw, cy = (j + hash(2)) * kRidgeCell;
      double a = kWindAngle + (hash(3) - 0.5) * 0.5;
      double length = 2 + 4 * hash(4), width = 0.8 + 0.7 * hash(5), rise = 0.10 + 0.12 * hash(6);
      double dx = x - cx, dy = y - cy;
      double along = (dx * std::cos(a) + dy * std::sin(a)) / (length / 2);
      double side = (-dx * std::sin(a) + dy * std::cos(a)) / width;
      if (std::fabs(along) >= 1) continue;
      double ends = (1 - along * along) * (1 - along * along);
      double flank = side < 0 ? side / 0.4 : side;
      top = std::max(top, rise * ends * std::exp(-flank * flank));
    }
  return top;
}

double skiTrack(double x0, double period, double x, double y) {
  double u = (x - x0) / period;
  // A line that wanders a little either side of y = -13, on the flat
  // beside the bank; whole waves per period so it meets itself.
  double centre = -13.0 + 1.3 * std::sin(2 * kPi * u) + 0.5 * std::sin(2 * kPi * 3 * u + 1.0);
  const double halfGauge = 0.55, width = 0.2, depth = 0.09;
  double a = (y - centre - halfGauge) / width, b = (y - centre + halfGauge) / width;
  return -depth * (std::exp(-a * a) + std::exp(-b * b));
}
