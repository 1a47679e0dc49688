#pragma once
#include <cstdint>

// The wind's work on a snow surface, as heights in scene units over the
// ground's relief: long drifts, ripples across the wind and the sharp
// ridges of sastrugi a few units long, all large enough to survive drawing
// without mipmaps. It repeats every `period` units along x, counted from
// `x0`, so a texture painted from it tiles along the track.
class SnowDetail {
 public:
  SnowDetail(double x0, double period, uint32_t seed);
  double height(double x, double y) const;

 private:
  double x0_, period_;
  uint32_t seed_;
  // x counted from x0 and brought into [0, period).
  double drifts(double x, double y) const;
  double ripples(double x, double y) const;
  double sastrugi(double x, double y) const;
};

// A ski track beside the line: two grooves, the same on every piece so the
// track runs on across their joints. Depth (0 or negative) at (x, y) for a
// piece that starts at `x0` and is `period` long.
double skiTrack(double x0, double period, double x, double y);
