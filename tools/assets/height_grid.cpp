#include "tools/assets/height_grid.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/geometry.h"

HeightGrid::HeightGrid(const std::function<double(double, double)>& height, double x0, double x1, double y0,
                       double y1, double step)
    : x0_(x0), y0_(y0), step_(step) {
  nx_ = int(std::ceil((x1 - x0) / step)) + 1;
  ny_ = int(std::ceil((y1 - y0) / step)) + 1;
  h_.resize(size_t(nx_) * ny_);
  for (int j = 0; j < ny_; ++j)
    for (int i = 0; i < nx_; ++i) h_[size_t(j) * nx_ + i] = height(x0 + i * step, y0 + j * step);
}

double HeightGrid::sample(int i, int j) const {
  i = std::clamp(i, 0, nx_ - 1);
  j = std::clamp(j, 0, ny_ - 1);
  return h_[size_t(j) * nx_ + i];
}

double HeightGrid::at(double x, double y) const {
  double u = (x - x0_) / step_, v = (y - y0_) / step_;
  int i = int(std::floor(u)), j = int(std::floor(v));
  double fu = u - i, fv = v - j;
  double top = sample(i, j) + (sample(i + 1, j) - sample(i, j)) * fu;
  double bottom = sample(i, j + 1) + (sample(i + 1, j + 1) - sample(i, j + 1)) * fu;
  return top + (bottom - top) * fv;
}

double skyView(const HeightGrid& ground, double x, double y, double radius) {
  // The highest horizon in each of 12 directions, found at distances that
  // grow geometrically out to `radius`.
  const int directions = 12;
  double h0 = ground.at(x, y), open = 0;
  for (int k = 0; k < directions; ++k) {
    double a = 2 * kPi * (k + 0.5) / directions, cx = std::cos(a), cy = std::sin(a);
    double steepest = 0;
    for (double d = radius / 16; d <= radius * 1.001; d *= 1.5)
      steepest = std::max(steepest, (ground.at(x + cx * d, y + cy * d) - h0) / d);
    // Sky above a horizon of elevation e, weighted by the cosine of the
    // angle from the zenith: 1 - sin^2(e).
    double s = steepest / std::sqrt(1 + steepest * steepest);
    open += 1 - s * s;
  }
  return open / directions;
}
