#pragma once
#include <cstddef>
#include <vector>

// Summaries of frame times (milliseconds) for the pacing figures.
struct FramePacing {
  size_t frames = 0;
  double median = 0;
  double p99 = 0;
  double worst = 0;            // over every frame
  double worstAfterFirst = 0;  // the first frame builds the scene
  size_t slowAfterFirst = 0;   // frames after the first above 3 × median
};

// The value below which `fraction` (0..1) of the values lie, by nearest
// rank: the smallest value with at least that share at or below it. 0 for
// no values.
double percentile(std::vector<double> values, double fraction);

// Median (mean of the middle two for an even count), 0 for no values.
double median(std::vector<double> values);

FramePacing summarisePacing(const std::vector<double>& frameMs);
