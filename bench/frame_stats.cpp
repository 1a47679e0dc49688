#include "bench/frame_stats.h"

#include <algorithm>
#include <cmath>

double percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  fraction = std::min(1.0, std::max(0.0, fraction));
  size_t rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(values.size())));
  return values[rank == 0 ? 0 : rank - 1];
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

FramePacing summarisePacing(const std::vector<double>& frameMs) {
  FramePacing pacing;
  pacing.frames = frameMs.size();
  if (frameMs.empty()) return pacing;
  pacing.median = median(frameMs);
  pacing.p99 = percentile(frameMs, 0.99);
  pacing.worst = *std::max_element(frameMs.begin(), frameMs.end());
  for (size_t i = 1; i < frameMs.size(); ++i) {
    pacing.worstAfterFirst = std::max(pacing.worstAfterFirst, frameMs[i]);
    if (frameMs[i] > 3 * pacing.median) ++pacing.slowAfterFirst;
  }
  return pacing;
}
