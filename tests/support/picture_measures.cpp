#include "tests/support/picture_measures.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr int kBlock = 16;
constexpr double kNearWhite = 225.0;
constexpr double kFeatureless = 4.0;

}  // namespace

double luminance(const uint8_t* rgba) { return 0.299 * rgba[0] + 0.587 * rgba[1] + 0.114 * rgba[2]; }

LuminanceSpread luminanceSpread(const std::vector<uint8_t>& rgba) {
  LuminanceSpread spread;
  size_t count = rgba.size() / 4;
  if (count == 0) return spread;
  double sum = 0, squares = 0;
  for (size_t i = 0; i < count; ++i) {
    double l = luminance(&rgba[i * 4]);
    sum += l;
    squares += l * l;
  }
  spread.mean = sum / count;
  spread.deviation = std::sqrt(std::fmax(0.0, squares / count - spread.mean * spread.mean));
  return spread;
}

double featurelessWhiteShare(const std::vector<uint8_t>& rgba, int width, int height) {
  if (width <= 0 || height <= 0 || rgba.size() < size_t(width) * height * 4) return 0;
  int across = width / kBlock, down = height / kBlock;
  if (across == 0 || down == 0) return 0;
  int featureless = 0;
  for (int by = 0; by < down; ++by)
    for (int bx = 0; bx < across; ++bx) {
      double sum = 0, squares = 0;
      for (int y = by * kBlock; y < (by + 1) * kBlock; ++y)
        for (int x = bx * kBlock; x < (bx + 1) * kBlock; ++x) {
          double l = luminance(&rgba[(size_t(y) * width + x) * 4]);
          sum += l;
          squares += l * l;
        }
      const double n = kBlock * kBlock;
      double mean = sum / n;
      double deviation = std::sqrt(std::fmax(0.0, squares / n - mean * mean));
      if (mean > kNearWhite && deviation < kFeatureless) ++featureless;
    }
  return double(featureless) / (double(across) * down);
}
