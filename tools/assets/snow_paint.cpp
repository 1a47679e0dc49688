#include "tools/assets/snow_paint.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"

void snowColour(double nx, double ny, double nz, double detail, double rgb[3]) {
  // Low sun from the far side of the track, a little to +Y: sunlit snow is
  // warm white, slopes turned away fall into a cool blue.
  const double lx = -0.45, ly = 0.35, lz = 0.82;
  double len = std::sqrt(nx * nx + ny * ny + nz * nz);
  double lambert = std::max(0.0, (nx * lx + ny * ly + nz * lz) / len);
  double light = std::clamp(1.12 * lambert - 0.04 + 0.24 * (detail - 0.5), 0.0, 1.0);
  const double shadow[3] = {0.60, 0.68, 0.86}, sun[3] = {1.0, 0.985, 0.96};
  for (int c = 0; c < 3; ++c) rgb[c] = std::min(1.0, shadow[c] + (sun[c] - shadow[c]) * light);
}

std::vector<uint8_t> paintSnowGround(const GroundHeight& height, double x0, double width,
                                     double y0, double depth, int size, uint32_t seed) {
  // Heights on the texel grid plus a one-texel border for the gradients.
  int n = size + 2;
  std::vector<double> h(size_t(n) * n);
  double dx = width / size, dy = depth / size;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) h[size_t(j) * n + i] = height(x0 + (i - 0.5) * dx, y0 + (j - 0.5) * dy);
  Canvas c(size, size);
  c.flush();
  const int period = 64;  // noise cells across the texture; repeats along x
  for (int j = 0; j < size; ++j)
    for (int i = 0; i < size; ++i) {
      size_t k = size_t(j + 1) * n + (i + 1);
      double gx = (h[k + 1] - h[k - 1]) / (2 * dx), gy = (h[k + n] - h[k - n]) / (2 * dy);
      double u = double(i) / size * period, v = double(j) / size * period;
      // Wind ripples run across the track; a finer grain and rare glints.
      double ripple = fractalNoise(u * 0.5, v * 2.0, seed, 3, period / 2);
      double grain = valueNoise(u * 4, v * 4, seed + 7, period * 4);
      double detail = 0.6 * ripple + 0.4 * grain;
      double rgb[3];
      snowColour(-gx, -gy, 1.0, detail, rgb);
      if (hashUnit(i, j, seed + 13) > 0.9985) rgb[0] = rgb[1] = rgb[2] = 1.0;
      c.setPixel(i, j, rgb[0], rgb[1], rgb[2], 1);
    }
  c.markDirty();
  return c.png();
}
