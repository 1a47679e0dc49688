#pragma once
#include <functional>
#include <vector>

// A height function sampled on a regular grid, for painters that ask for
// many heights (slopes, shelter) and cannot afford the function each time.
class HeightGrid {
 public:
  // Samples `height` every `step` units over [x0, x1] x [y0, y1].
  HeightGrid(const std::function<double(double x, double y)>& height, double x0, double x1, double y0,
             double y1, double step);
  // Bilinear between samples; points outside take the nearest edge sample.
  double at(double x, double y) const;

 private:
  double x0_, y0_, step_;
  int nx_, ny_;
  std::vector<double> h_;
  double sample(int i, int j) const;
};

// The share of the sky (0 to 1) that ground at (x, y) sees over the relief
// within `radius` units: 1 on open flats, less in hollows, at the foot of
// slopes and against banks. The sky is weighted towards the zenith, as
// the light of an overcast half of the sky comes.
double skyView(const HeightGrid& ground, double x, double y, double radius);
